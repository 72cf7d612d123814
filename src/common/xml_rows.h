#pragma once
// Rows of project files that are elements with one attribute per grid column: the
// model keeps each attribute's text in a field reached by its column index
// (Row::Field(i)) and notes which attributes the file held, since each reader has its
// own default for a missing one.

#include "platform/core/xml.h"

#include <QStringList>

#include <cstdint>

// Copies the named attributes the element holds into the row; returns which ones it
// held (bit i for names[i]). Fields of missing attributes keep their defaults.
template <typename Row>
uint32_t Read_Row_Attributes(const TXmlNode& node, const QStringList& names, Row& row)
{
    uint32_t present = 0;
    for (int i = 0; i < names.size() && i < 32; ++i) {
        if (node.HasAttribute(names.at(i))) {
            row.Field(i) = node.Attribute(names.at(i));
            present |= 1u << i;
        }
    }
    return present;
}

// Sets every named attribute from the row, in the order of the names.
template <typename Row>
void Write_Row_Attributes(TXmlNode node, const QStringList& names, const Row& row)
{
    for (int i = 0; i < names.size(); ++i)
        node.SetAttribute(names.at(i), row.Field(i));
}
