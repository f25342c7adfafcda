#pragma once

#include <QByteArray>
#include <QtGlobal>

#include "view/GdiTypes.h"

// Readable handles and colours in QCOMPARE failures (found by argument-dependent lookup).
namespace tavelo {

inline char* toString(const HGDIOBJ& object) {
    return qstrdup(
        QByteArray("HGDIOBJ 0x").append(QByteArray::number(object.value(), 16)).constData());
}

}  // namespace tavelo
