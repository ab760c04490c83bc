// Random bytes as a zip-packaged document of each family: any archive, however
// broken or hostile, gives text within its limit or a reason, never a crash.
#include <cstdlib>
#include <string>

#include "documents/document_text.h"
#include "memory_file.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static MemoryFile file("document");
    const std::string bytes(reinterpret_cast<const char*>(data), size);
    file.write(bytes);
    constexpr std::size_t limit = 4096;
    for (const auto kind : {tessaly::DocumentKind::openDocument, tessaly::DocumentKind::officeOpenXml,
                            tessaly::DocumentKind::epub}) {
        const auto result = tessaly::documentText(file.fd, kind, limit);
        if (result.text.size() > limit + 1) std::abort();
    }
    tessaly::documentKindOf(bytes);
    return 0;
}
