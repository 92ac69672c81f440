#pragma once
// Result of a file or process operation. The numbers are the classic run-time error numbers the
// rest of the program reasons about ("file not found" is 53, "path not found" 76, ...), so that a
// caller can treat a missing file differently from a locked one.
#include <string>

namespace zam::platform {

enum ErrorCode : int {
    kOk = 0,
    kBadFileName = 52,
    kFileNotFound = 53,
    kIoError = 57,
    kFileAlreadyExists = 58,
    kDiskFull = 61,
    kPermissionDenied = 70,
    kDiskNotReady = 71,
    kPathFileAccessError = 75,
    kPathNotFound = 76,
};

std::string ErrorDescription(int code);

struct Status {
    int code = kOk;
    std::string description;

    bool ok() const { return code == kOk; }
    explicit operator bool() const { return ok(); }

    static Status Ok() { return {}; }
    static Status Error(int errorCode) { return {errorCode, ErrorDescription(errorCode)}; }
    static Status Error(int errorCode, std::string text) { return {errorCode, std::move(text)}; }
};

// Maps an errno value to the closest error code above (ENOENT -> kFileNotFound, ...).
Status StatusFromErrno(int err);

}  // namespace zam::platform
