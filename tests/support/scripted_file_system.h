// The system's file system, with failures on demand: a test names an
// operation ("list", "read", "open", "write", "append", "rename", "remove", "status"),
// optionally a path, and the errno it should fail with.
#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/file_system.h"

namespace tessaly::test {

class ScriptedFileSystem : public FileSystem {
public:
    struct Fault {
        std::string operation;
        std::string path;  // empty: any path
        int systemError;
        int times = -1;    // how many calls fail; -1 for all
    };

    void fail(std::string operation, int systemError, std::string path = {}, int times = -1) {
        faults_.push_back({std::move(operation), std::move(path), systemError, times});
    }
    void clearFaults() { faults_.clear(); }
    // Every call so far, as "operation path".
    const std::vector<std::string>& calls() const { return calls_; }

    Failure list(const std::string& folder, std::vector<DirectoryEntry>& entries) override {
        if (Failure f = injected("list", folder, true)) return f;
        return real().list(folder, entries);
    }
    Failure listQuickly(const std::string& folder, const OpenFolder* parent, FolderListing& listing,
                        ListingMemory* memory = nullptr) override {
        if (Failure f = injected("list", folder, true)) return f;
        return real().listQuickly(folder, parent, listing, memory);
    }
    Failure examine(const OpenFolder& folder, DirectoryEntry& entry) override {
        if (Failure f = injected("status", folder.path() + "/" + entry.name)) return f;
        return real().examine(folder, entry);
    }
    Failure openFile(const OpenFolder& folder, const std::string& name, int& fd) override {
        if (Failure f = injected("open", folder.path() + "/" + name)) return f;
        return real().openFile(folder, name, fd);
    }
    Failure status(const std::string& path, DirectoryEntry& entry) override {
        if (Failure f = injected("status", path)) return f;
        return real().status(path, entry);
    }
    Failure readStart(const std::string& path, std::size_t length, FileStart& start) override {
        if (Failure f = injected("read", path)) return f;
        return real().readStart(path, length, start);
    }
    Failure readAll(const std::string& path, std::string& bytes) override {
        if (Failure f = injected("read", path)) return f;
        return real().readAll(path, bytes);
    }
    Failure writeAll(const std::string& path, std::string_view bytes) override {
        if (Failure f = injected("write", path)) return f;
        return real().writeAll(path, bytes);
    }
    Failure append(const std::string& path, std::string_view bytes) override {
        if (Failure f = injected("append", path)) return f;
        return real().append(path, bytes);
    }
    Failure rename(const std::string& from, const std::string& to) override {
        if (Failure f = injected("rename", from)) return f;
        return real().rename(from, to);
    }
    Failure remove(const std::string& path) override {
        if (Failure f = injected("remove", path)) return f;
        return real().remove(path);
    }

private:
    static FileSystem& real() { return systemFileSystem(); }

    // The search run opens files from several threads at once.
    Failure injected(const std::string& operation, const std::string& path, bool folder = false) {
        std::lock_guard lock(mutex_);
        calls_.push_back(operation + " " + path);
        for (Fault& fault : faults_) {
            if (fault.operation != operation || fault.times == 0) continue;
            if (!fault.path.empty() && fault.path != path) continue;
            if (fault.times > 0) --fault.times;
            return failureFromErrno(fault.systemError, operation, path, folder);
        }
        return {};
    }

    std::mutex mutex_;
    std::vector<Fault> faults_;
    std::vector<std::string> calls_;
};

}  // namespace tessaly::test
