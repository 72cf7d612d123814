#pragma once
// Project file readers that report a failure as a value: the load stops at the first
// thing it cannot read, keeps what it read before, and says why in a text that names the
// file and the place where it stopped, so the window decides how to show it.

#include "platform/core/xml.h"

#include <QString>

// Loads the file into Doc. False when it cannot be read or parsed; Failure then holds the
// XML layer's text, which names the file and the line.
bool Load_Xml_Or_Failure(const QString& Path, TXmlDocument& Doc, QString& Failure);

// The first child element of that name; a missing one raises EXmlError naming it.
TXmlNode Need_Child(const TXmlNode& Parent, const QString& Name);

// "\"<path>\": <message>", or "\"<path>\", <where>: <message>" when the place is known.
QString Load_Failure_Text(const QString& Path, const QString& Where, const QString& Message);
