#include "viewer/qt/rich_text_saving.h"

#include <cerrno>
#include <optional>

#include "platform/error_tables.h"
#include "platform/qt/operation_error_report.h"
#include "platform/qt/rich_text_box.h"
#include "platform/qt/rtf_file.h"
#include "window/qt/services.h"

namespace tessaly {

void saveCommand(RichTextBox& box, Services& services) {
    saveCommand([&box] { return box.rtf(); }, services);
}

void saveCommand(const std::function<std::string()>& rtf, Services& services) {
    const std::optional<QString> file = services.dialogs.chooseSaveFile();
    if (!file) return;
    const GuardedResult result =
        runGuarded(services.boxes, ErrorTable::Saving, IgnoreAction::Leave, [&] {
            Failure failure = saveRtfFile(*file, rtf(), services.files);
            // The box calls every failed save the same; a full disk gets its
            // own message, which tells the person what will let Retry work.
            if (failure.systemError == ENOSPC) failure.code = code::diskFull;
            return failure;
        });
    if (result == GuardedResult::EndProgram) services.end.endNow();
}

}  // namespace tessaly
