#include "documents/zip_archive.h"

#include <zip.h>

#include <memory>

#include "documents/file_by_descriptor.h"

namespace tessaly {
namespace {

constexpr std::size_t kChunkSize = 64 * 1024;

struct ZipFileCloser {
    void operator()(zip_file_t* file) const { zip_fclose(file); }
};

}  // namespace

ZipArchive::ZipArchive(int fd, std::uint64_t maxInflated) : inflatedLeft_(maxInflated) {
    int error = 0;
    archive_ = zip_open(pathOfDescriptor(fd).c_str(), ZIP_RDONLY, &error);
    if (!archive_) {
        problem_ = error == ZIP_ER_OPEN || error == ZIP_ER_READ ? "it cannot be read" : "it is damaged";
        return;
    }
    if (zip_get_num_entries(archive_, 0) > kMaxEntries)
        problem_ = "it has more than " + std::to_string(kMaxEntries) + " parts";
}

ZipArchive::~ZipArchive() {
    if (archive_) zip_discard(archive_);
}

std::vector<std::string> ZipArchive::names() const {
    std::vector<std::string> names;
    if (!problem_.empty()) return names;
    const auto count = zip_get_num_entries(archive_, 0);
    for (zip_int64_t i = 0; i < count; ++i)
        if (const char* name = zip_get_name(archive_, i, 0)) names.emplace_back(name);
    return names;
}

bool ZipArchive::contains(std::string_view name) const {
    return problem_.empty() && zip_name_locate(archive_, std::string(name).c_str(), 0) >= 0;
}

EntryRead ZipArchive::read(std::string_view name, const std::function<bool(std::string_view)>& chunk) {
    if (!problem_.empty()) return EntryRead::missing;
    const auto index = zip_name_locate(archive_, std::string(name).c_str(), 0);
    if (index < 0) return EntryRead::missing;
    zip_stat_t stat;
    zip_stat_init(&stat);
    if (zip_stat_index(archive_, index, 0, &stat) == 0 && (stat.valid & ZIP_STAT_ENCRYPTION_METHOD) &&
        stat.encryption_method != ZIP_EM_NONE)
        return EntryRead::encrypted;
    const std::unique_ptr<zip_file_t, ZipFileCloser> file(zip_fopen_index(archive_, index, 0));
    if (!file) return EntryRead::damaged;
    std::vector<char> buffer(kChunkSize);
    while (true) {
        const auto got = zip_fread(file.get(), buffer.data(), buffer.size());
        if (got < 0) return EntryRead::damaged;
        if (got == 0) return EntryRead::read;
        if (std::uint64_t(got) > inflatedLeft_) return EntryRead::tooLarge;
        inflatedLeft_ -= got;
        if (!chunk(std::string_view(buffer.data(), got))) return EntryRead::stopped;
    }
}

}  // namespace tessaly
