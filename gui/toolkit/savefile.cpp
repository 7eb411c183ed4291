// Whole-file writes through QSaveFile, and the check of typed file names.
#include "savefile.h"

#include <QSaveFile>

bool SaveFileBytes(const QString& path, const QByteArray& bytes) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) return false;
    if (file.write(bytes) != bytes.size()) {
        file.cancelWriting();
        return false;
    }
    return file.commit();
}

bool IsUsableFileName(const QString& name) {
    if (name.isEmpty() || name == u"." || name == u"..") return false;
    for (QChar c : name) {
        if (c.unicode() < 0x20 || c.unicode() == 0x7f) return false;
        if (QStringView(u"/\\:*?\"<>|").contains(c)) return false;
    }
    return true;
}
