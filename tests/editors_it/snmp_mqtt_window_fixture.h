#pragma once
// A project with the text table, the dialog seam and one rule editor window of the MQTT
// and SNMP editors, and the checks their tests share.

#include "opcua_test_files.h"

#include "platform/ui/dialogs.h"
#include "common/lang_table.h"
#include "common/working_state.h"

#include "support/file_bytes.h"
#include "support/rule_window_test.h"

#include <QFile>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <memory>

// xmllint on the file: an empty text when it passes or the checker is missing.
inline QString Xmllint_Failure(const QString& path)
{
  const QString lint = QStandardPaths::findExecutable(QStringLiteral("xmllint"));
  if (lint.isEmpty())
    return QString();
  QProcess p;
  p.start(lint, {QStringLiteral("--noout"), path});
  p.waitForFinished(10000);
  return p.exitCode() == 0 ? QString() : QString::fromLocal8Bit(p.readAllStandardError());
}

template <typename Window>
class TITWindowTest : public TRuleWindowTest<Window> {
protected:
  using TRuleWindowTest<Window>::Form;
  using TRuleWindowTest<Window>::Dialogs;
  using TRuleWindowTest<Window>::Messages;
  explicit TITWindowTest(std::initializer_list<TLangBlockSource> Blocks)
      : TRuleWindowTest<Window>(Blocks, "editors_it")
  {
  }
};
