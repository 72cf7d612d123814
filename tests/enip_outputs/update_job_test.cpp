#include "enip_outputs/update_job.h"
#include "enip_test_support.h"
#include "update_job_check.h"

#include <gtest/gtest.h>
#include <pugixml.hpp>

namespace {

using job_check::Check_Job;
using job_check::TOpExpect;

TEST(UpdateJob, OperationsFollowTheUpdateOption)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Ethernet_Update.xml"));
    TUpdate_Job job;
    job.IP_Address = QStringLiteral("192.168.2.205");
    job.Dir_Master = QStringLiteral("/opt/k/MASTER");
    job.Dir_Project = QStringLiteral("/opt/k/PROJECTS/P1");

    const TOpExpect fw0{"/opt/k/MASTER/Sim27518.sim", "0x8000", "1", "1", "0"};
    const TOpExpect fw1{"/opt/k/MASTER/Sim27518.sim", "0x8000", "1", "1", "1"};
    const TOpExpect b1{"/opt/k/PROJECTS/P1/bin/bank1.bin", "0x07000", "2", "0", "0"};
    const TOpExpect b2{"/opt/k/PROJECTS/P1/bin/bank2.bin", "0x80000", "2", "0", "0"};
    const TOpExpect b3{"/opt/k/PROJECTS/P1/bin/bank3.bin", "0x90000", "2", "0", "1"};

    job.Option = uoFirmware_Configuration;
    job.Read_Back = true;
    Write_Update_Job(path, job);
    Check_Job(path, "192.168.2.205", "1", {fw0, b1, b2, b3});

    job.Option = uoFirmware;
    Write_Update_Job(path, job);
    Check_Job(path, "192.168.2.205", "1", {fw1});

    job.Option = uoConfiguration;
    job.Read_Back = false;
    Write_Update_Job(path, job);
    Check_Job(path, "192.168.2.205", "0", {b1, b2, b3});
}

}  // namespace
