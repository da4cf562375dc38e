// The one crossing of text between the program's 8-bit strings and Qt.

#include <QString>

#include "platform/core/TextCodec.h"
#include "platform/gui/Controls.h"
#include "platform/gui/QtGlue.h"

QString ToQString(const std::string& text) {
    std::string utf8 = ToUtf8(text);
    return QString::fromUtf8(utf8.data(), static_cast<qsizetype>(utf8.size()));
}

std::string FromQString(const QString& text) { return text.toUtf8().toStdString(); }
