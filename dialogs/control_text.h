// Texts of the templates break lines with "\r\n"; Qt's edit boxes break them with "\n".
#pragma once

#include <QString>

namespace kelvaro {

inline QString toEditText(QString text) {
    return text.replace(QStringLiteral("\r\n"), "\n");
}

inline QString fromEditText(QString text) {
    return text.replace(QStringLiteral("\r\n"), "\n").replace('\n', QStringLiteral("\r\n"));
}

} // namespace kelvaro
