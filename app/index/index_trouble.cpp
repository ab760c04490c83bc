#include "index/index_trouble.h"

#include <sqlite3.h>

namespace tessaly {

IndexTrouble troubleOf(int sqliteResult) {
    switch (sqliteResult & 0xff) {
    case SQLITE_OK:
    case SQLITE_ROW:
    case SQLITE_DONE:
        return IndexTrouble::none;
    case SQLITE_CORRUPT:
    case SQLITE_NOTADB:
    case SQLITE_FORMAT:
        return IndexTrouble::damaged;
    case SQLITE_BUSY:
    case SQLITE_LOCKED:
        return IndexTrouble::busy;
    case SQLITE_FULL:
        return IndexTrouble::full;
    default:
        return IndexTrouble::unusable;
    }
}

Failure indexFailure(int sqliteResult, std::string operation, std::string path,
                     std::string sqliteMessage) {
    Failure failure;
    switch (troubleOf(sqliteResult)) {
    case IndexTrouble::full:
        failure.code = code::diskFull;
        break;
    case IndexTrouble::damaged:
        failure.code = code::deviceIoError;
        break;
    case IndexTrouble::busy:
        failure.code = code::pathFileAccessError;
        break;
    default:
        if ((sqliteResult & 0xff) == SQLITE_IOERR) {
            failure.code = code::deviceIoError;
            break;
        }
        failure.code = (sqliteResult & 0xff) == SQLITE_READONLY ||
                               (sqliteResult & 0xff) == SQLITE_CANTOPEN ||
                               (sqliteResult & 0xff) == SQLITE_PERM
                           ? code::permissionDenied
                           : code::pathFileAccessError;
    }
    failure.operation = std::move(operation);
    failure.path = std::move(path);
    failure.reason = std::move(sqliteMessage);
    return failure;
}

}  // namespace tessaly
