// Documents the tests make themselves: zips written with libzip, PDFs written
// by hand with their cross-reference offsets counted here.
#pragma once

#include <sys/mman.h>
#include <unistd.h>
#include <zip.h>

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

#include "temp_dir.h"

namespace tessaly::test {

using ZipEntries = std::vector<std::pair<std::string, std::string>>;

// A zip of `entries` in order; a first entry named "mimetype" is stored
// uncompressed, as OpenDocument and EPUB require. The entry named `locked`
// is encrypted with a password.
inline std::string zipBytes(const ZipEntries& entries, const std::string& locked = "") {
    TempDir dir;
    const auto path = (dir.path() / "document.zip").string();
    int error = 0;
    zip_t* archive = zip_open(path.c_str(), ZIP_CREATE | ZIP_TRUNCATE, &error);
    if (!archive) throw std::runtime_error("cannot create a zip");
    for (const auto& [name, content] : entries) {
        zip_source_t* source = zip_source_buffer(archive, content.data(), content.size(), 0);
        const auto index = zip_file_add(archive, name.c_str(), source, ZIP_FL_ENC_UTF_8);
        if (index < 0) throw std::runtime_error("cannot add " + name);
        if (name == "mimetype") zip_set_file_compression(archive, index, ZIP_CM_STORE, 0);
        if (name == locked && zip_file_set_encryption(archive, index, ZIP_EM_AES_256, "secret") != 0)
            throw std::runtime_error("cannot encrypt " + name);
    }
    if (zip_close(archive) != 0) throw std::runtime_error("cannot write the zip");
    std::ifstream in(path, std::ios::binary);
    std::stringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

// A PDF of `objects` (object 1 is the catalog), with its cross-reference
// table counted here; `trailerExtra` goes into the trailer after /Root.
inline std::string pdfOfObjects(const std::vector<std::string>& objects, const std::string& trailerExtra = "") {
    std::string pdf = "%PDF-1.4\n";
    std::vector<std::size_t> offsets;
    for (std::size_t i = 0; i < objects.size(); ++i) {
        offsets.push_back(pdf.size());
        pdf += std::to_string(i + 1) + " 0 obj\n" + objects[i] + "\nendobj\n";
    }
    const auto xref = pdf.size();
    pdf += "xref\n0 " + std::to_string(objects.size() + 1) + "\n0000000000 65535 f \n";
    for (const auto offset : offsets) {
        char line[21];
        std::snprintf(line, sizeof line, "%010zu 00000 n \n", offset);
        pdf += line;
    }
    pdf += "trailer\n<< /Size " + std::to_string(objects.size() + 1) + " /Root 1 0 R" + trailerExtra +
           " >>\nstartxref\n" + std::to_string(xref) + "\n%%EOF\n";
    return pdf;
}

// A PDF with one page per text, in Helvetica; with `locked`, encrypted with a
// user password that is not empty, so it cannot be opened without it.
inline std::string pdfBytes(const std::vector<std::string>& pages, bool locked = false) {
    std::vector<std::string> objects;
    std::string kids;
    const std::size_t fontObject = 3 + 2 * pages.size();
    for (std::size_t i = 0; i < pages.size(); ++i) kids += std::to_string(3 + 2 * i) + " 0 R ";
    objects.push_back("<< /Type /Catalog /Pages 2 0 R >>");
    objects.push_back("<< /Type /Pages /Kids [" + kids + "] /Count " + std::to_string(pages.size()) + " >>");
    for (std::size_t i = 0; i < pages.size(); ++i) {
        objects.push_back("<< /Type /Page /Parent 2 0 R /MediaBox [0 0 612 792] /Contents " +
                          std::to_string(4 + 2 * i) + " 0 R /Resources << /Font << /F1 " +
                          std::to_string(fontObject) + " 0 R >> >> >>");
        const std::string stream = "BT /F1 24 Tf 72 700 Td (" + pages[i] + ") Tj ET";
        objects.push_back("<< /Length " + std::to_string(stream.size()) + " >>\nstream\n" + stream + "\nendstream");
    }
    objects.push_back("<< /Type /Font /Subtype /Type1 /BaseFont /Helvetica >>");
    std::string trailer;
    if (locked) {
        const std::string key(64, 'A');
        objects.push_back("<< /Filter /Standard /V 1 /R 2 /O <" + key + "> /U <" + key + "> /P -4 >>");
        trailer = " /Encrypt " + std::to_string(objects.size()) + " 0 R /ID [<0123456789ABCDEF0123456789ABCDEF> "
                  "<0123456789ABCDEF0123456789ABCDEF>]";
    }
    return pdfOfObjects(objects, trailer);
}

// An open descriptor on a file in memory holding `bytes`.
class DocumentFile {
public:
    explicit DocumentFile(const std::string& bytes) : fd_(memfd_create("document", MFD_CLOEXEC)) {
        if (fd_ < 0 || pwrite(fd_, bytes.data(), bytes.size(), 0) != ssize_t(bytes.size()))
            throw std::runtime_error("cannot write the document");
    }
    ~DocumentFile() { close(fd_); }
    DocumentFile(const DocumentFile&) = delete;
    DocumentFile& operator=(const DocumentFile&) = delete;
    int fd() const { return fd_; }

private:
    int fd_;
};

}  // namespace tessaly::test
