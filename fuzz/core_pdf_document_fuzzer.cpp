// Random bytes as a PDF: poppler's verdict comes back as text or a reason,
// never a crash or a word on standard error.
#include <cstdlib>
#include <string>

#include "documents/document_text.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file("document");
    file.write(std::string(reinterpret_cast<const char*>(data), size));
    constexpr std::size_t limit = 4096;
    const auto result = tessaly::documentText(file.fd, tessaly::DocumentKind::pdf, limit);
    if (result.text.size() > limit + 1) std::abort();
    return 0;
}
