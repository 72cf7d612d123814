// Program entry: the application, the program's windows in their fixed order, the loop.

#include "platform/ui/forms.h"
#include "shell/program_windows.h"

#include <QApplication>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    InitPlatformApplication();
    Application->SetTitle(QStringLiteral("Kalvora"));
    Create_Program_Windows();
    Application->Run();
    Destroy_Program_Windows();
    return 0;
}
