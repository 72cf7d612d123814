#pragma once
// Elements nested far deeper than any recursive walk survives, built in memory so no
// test stores a megabyte file.

#include <QByteArray>

// Inner wrapped in Depth levels of <Tag>.
inline QByteArray Nested_Xml(int Depth, const QByteArray& Inner, const QByteArray& Tag = "d")
{
    const QByteArray Open = "<" + Tag + ">", Close = "</" + Tag + ">";
    QByteArray B;
    B.reserve(qsizetype(Depth) * (Open.size() + Close.size()) + Inner.size());
    for (int i = 0; i < Depth; ++i)
        B += Open;
    B += Inner;
    for (int i = 0; i < Depth; ++i)
        B += Close;
    return B;
}
