#include "lib/failure.h"

#include <cerrno>
#include <cmath>

namespace tes {

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
