#include "platform/qt/rtf_file.h"

#include <QFile>

namespace tessaly {

Failure saveRtfFile(const QString& path, const std::string& rtf, FileSystem& files) {
    const std::string target = QFile::encodeName(path).toStdString();
    Failure failure = replaceFile(files, target, target + ".ty~", rtf);
    if (failure) {
        failure.code = code::richTextSaveFailed;
        failure.operation = "save";
        failure.path = target;
    }
    return failure;
}

}  // namespace tessaly
