#include "criteria/qt/scope_controls.h"

#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QSpinBox>
#include <QVariant>
#include <algorithm>

#include "criteria/folder_patterns.h"
#include "criteria/scope_summary.h"
#include "window/qt/main_window.h"
#include "window/qt/option_summary.h"
#include "window/qt/options_panel_view.h"

namespace tessaly {

namespace {

constexpr std::uint64_t megabyte = 1024 * 1024;
// The size shown and the bytes it stands for, kept on the spin box.
constexpr const char* shownMegabytes = "shownMegabytes";
constexpr const char* shownBytes = "shownBytes";

QString fromUtf8(const std::string& text) {
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

}  // namespace

void showScope(MainWindow& window, const SearchScope& scope) {
    window.panel().scopeFolders->setText(fromUtf8(joinFolderPatterns(scope.leftOutFolders)));
    window.panel().scopeHidden->setChecked(scope.hiddenIncluded);
    window.panel().scopeBinary->setChecked(scope.binaryIncluded);
    window.panel().scopeDocuments->setChecked(scope.documentsAsText);
    window.panel().scopeDocumentTime->setValue(static_cast<int>(scope.documentSecondsLimit));
    window.panel().scopeRemember->setChecked(scope.rememberWords);
    window.panel().scopeNames->setChecked(scope.namesSearched);

    const std::uint64_t megabytes = (scope.largestFileSize + megabyte - 1) / megabyte;
    window.panel().scopeSize->setValue(static_cast<int>(
        std::min<std::uint64_t>(megabytes, static_cast<std::uint64_t>(window.panel().scopeSize->maximum()))));
    window.panel().scopeSize->setProperty(shownMegabytes, window.panel().scopeSize->value());
    window.panel().scopeSize->setProperty(shownBytes, QVariant::fromValue<qulonglong>(scope.largestFileSize));
}

SearchScope readScope(const MainWindow& window) {
    SearchScope scope;
    scope.leftOutFolders = splitFolderPatterns(window.panel().scopeFolders->text().toUtf8().toStdString());
    scope.hiddenIncluded = window.panel().scopeHidden->isChecked();
    scope.binaryIncluded = window.panel().scopeBinary->isChecked();
    scope.documentsAsText = window.panel().scopeDocuments->isChecked();
    scope.documentSecondsLimit = static_cast<std::uint32_t>(window.panel().scopeDocumentTime->value());
    scope.rememberWords = window.panel().scopeRemember->isChecked();
    scope.namesSearched = window.panel().scopeNames->isChecked();

    const int megabytes = window.panel().scopeSize->value();
    const QVariant shown = window.panel().scopeSize->property(shownMegabytes);
    scope.largestFileSize = shown.isValid() && shown.toInt() == megabytes
                                ? window.panel().scopeSize->property(shownBytes).toULongLong()
                                : static_cast<std::uint64_t>(megabytes) * megabyte;
    return scope;
}

void refreshScopeSummary(MainWindow& window) {
    const SearchScope scope = readScope(window);
    window.summary().scopeLabel->setText(fromUtf8(scopeSummary(scope)));
    window.summary().scopeLabel->setToolTip(fromUtf8(scopeDescription(scope)));
}

}  // namespace tessaly
