#include "zam/platform/Status.h"

#include <cerrno>

namespace zam::platform {

std::string ErrorDescription(int code) {
    switch (code) {
        case kOk: return "";
        case kBadFileName: return "Bad file name or number";
        case kFileNotFound: return "File not found";
        case kIoError: return "Device I/O error";
        case kFileAlreadyExists: return "File already exists";
        case kDiskFull: return "Disk full";
        case kPermissionDenied: return "Permission denied";
        case kDiskNotReady: return "Disk not ready";
        case kPathFileAccessError: return "Path/File access error";
        case kPathNotFound: return "Path not found";
        default: return "Error " + std::to_string(code);
    }
}

Status StatusFromErrno(int err) {
    switch (err) {
        case 0: return Status::Ok();
        case ENOENT: return Status::Error(kFileNotFound);
        case ENOTDIR: return Status::Error(kPathNotFound);
        case EACCES:
        case EPERM:
        case EROFS: return Status::Error(kPermissionDenied);
        case EBUSY:
        case ETXTBSY:
        case EISDIR:
        case ENOTEMPTY: return Status::Error(kPathFileAccessError);
        case ENOSPC:
#ifdef EDQUOT
        case EDQUOT:
#endif
            return Status::Error(kDiskFull);
        case EEXIST: return Status::Error(kFileAlreadyExists);
        case ENAMETOOLONG:
        case EINVAL: return Status::Error(kBadFileName);
        default: return Status::Error(kIoError);
    }
}

}  // namespace zam::platform
