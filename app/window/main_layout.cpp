#include "window/main_layout.h"

#include <algorithm>
#include <cmath>

namespace tessaly {

namespace {

Span rightAligned(int containerWidth, int ownWidth, int inset) {
    return {containerWidth - ownWidth - inset, ownWidth};
}

}  // namespace

MainLayout mainLayout(int scaleWidth, int dividerLeft) {
    using namespace layout;
    MainLayout l;

    l.frameSearch = {100, scaleWidth - 200};
    const int frameWidth = l.frameSearch.width;
    l.searchText = {searchTextLeft, frameWidth / 2 - 450};
    l.operatorGroup = {l.searchText.left + (l.searchText.width - operatorGroupWidth) / 2,
                       operatorGroupWidth};
    l.wordButtons = {l.searchText.right() + 175, wordButtonWidth};
    l.wordList = {l.wordButtons.right() + 175,
                  frameWidth - l.searchText.left - l.searchText.width - 800 - 175};
    l.searchRemove = {l.wordList.left, 0};
    l.searchRemoveAll = rightAligned(frameWidth, removeAllWidth, 255);
    l.separater = {l.wordList.left - 500, l.wordList.width + 500};
    l.summaryValue = {l.wordList.right() - summaryValueWidth, summaryValueWidth};
    l.summaryCaption = {l.wordList.left - 500, l.summaryValue.left - (l.wordList.left - 500)};
    l.searchCat = l.searchText;

    l.frameAdvanced = {l.searchText.right() + 100, l.wordList.width + 880};
    l.group = {200, l.frameAdvanced.width - 400};
    l.groupControl = rightAligned(l.group.width, groupControlWidth, 100);
    l.typeText = {typeTextLeft, l.group.width - typeTextLeft - 100};
    l.advOK = rightAligned(l.frameAdvanced.width, panelButtonWidth, 180);
    l.searchSub = rightAligned(l.frameAdvanced.width, searchSubWidth, 180);

    l.dispResult = {100, scaleWidth - 230};
    if (l.dispResult.width - dividerLeft < fileViewFloor)
        dividerLeft = l.dispResult.width - fileViewFloor;
    l.dividerLeft = dividerLeft;
    l.outlineFile = {l.dispResult.left + 30, dividerLeft - (l.dispResult.left + 30)};
    l.textFile.left = l.outlineFile.right() + 60;
    l.textFile.width = l.dispResult.width - (l.textFile.left + 120);
    l.MainResult = {l.dispResult.left + 10, l.dispResult.width - l.dispResult.left - 120};

    l.totalNumber = rightAligned(scaleWidth, totalNumberWidth, 100);
    l.filesFound = {l.totalNumber.left - filesFoundWidth - 50, filesFoundWidth};
    l.dispFile = {dispFileLeft, l.filesFound.left - dispFileLeft - 70};
    return l;
}

int dragDivider(int dividerLeft, double offsetTwips, int scaleWidth) {
    const long wanted = std::lround(dividerLeft + offsetTwips);
    return static_cast<int>(std::clamp<long>(wanted, 200, std::max(200, scaleWidth - 260)));
}

int dropDivider(int dividerLeft, int dispResultWidth) {
    if (dispResultWidth - dividerLeft < layout::fileViewFloor)
        return dispResultWidth - layout::fileViewFloor;
    return dividerLeft;
}

}  // namespace tessaly
