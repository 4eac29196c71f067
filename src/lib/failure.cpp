#include "lib/failure.h"

#include <cerrno>
#include <cmath>

namespace tes {

std::string Failure::reason() const {
    // Each word's capital goes, an abbreviation's stays: "path/file access error", "device I/O error".
    std::string text = description();
    for (std::size_t i = 0; i + 1 < text.size(); ++i) {
        const bool wordStart = i == 0 || text[i - 1] == ' ' || text[i - 1] == '/';
        if (wordStart && text[i] >= 'A' && text[i] <= 'Z' && text[i + 1] >= 'a' && text[i + 1] <= 'z')
            text[i] = static_cast<char>(text[i] - 'A' + 'a');
    }
    return text;
}

bool Failure::isFileFailure() const {
    for (const Failure& file :
         {failures::fileNotFound(), failures::deviceIoError(), failures::diskFull(),
          failures::permissionDenied(), failures::pathFileAccessError(), failures::pathNotFound()})
        if (file.number() == number())
            return true;
    return false;
}

namespace failures {

Failure fromErrno(int errorNumber) {
    switch (errorNumber) {
    case ENOENT:
        return fileNotFound();
    case ENOTDIR:
        return pathNotFound();
    case EACCES:
    case EPERM:
    case EROFS:
    case EBUSY:
    case ETXTBSY:
        return permissionDenied();
    case ENOSPC:
#ifdef EDQUOT
    case EDQUOT:
#endif
    case EFBIG:
        return diskFull();
    case EIO:
        return deviceIoError();
    case ENOMEM:
        return outOfMemory();
    default:
        // EISDIR, ENAMETOOLONG, ELOOP, EMFILE and the rest: the path cannot be used as a file.
        return pathFileAccessError();
    }
}

} // namespace failures

double checkedDivide(double numerator, double denominator) {
    if (denominator == 0.0)
        throw failures::divisionByZero();
    return checkedFinite(numerator / denominator);
}

void throwOverflow() {
    throw failures::overflow();
}

} // namespace tes
