#include "core/operation/event_operation.h"

#include <algorithm>
#include <cstring>

#include "core/operation/hex_command.h"

namespace zr640 {
namespace {

using text::Key;

template <typename Stored>
EventOperation Read(const Stored& s) {
    EventOperation e;
    e.bSendCommand = s.bSendCommand;
    e.bFeedToCut = s.bFeedToCut;
    std::memcpy(e.abCommand.data(), s.abCommand, kCommandCapacity);
    e.cbCommand = s.cbCommand;
    e.bCashDrawer = s.bCashDrawer;
    e.bPaperCut = s.bPaperCut;
    e.bFeedMm = s.bFeedMm;
    e.bBuzzerVolume = s.bBuzzerVolume;
    e.bMessenger = s.bMessenger;
    e.dwDrawerOrMessenger = s.dwDrawerOrMessenger;
    e.bBuzzer = s.bBuzzer;
    e.bLogo = s.bLogo;
    e.bLogoAlign = s.bLogoAlign;
    e.bLogoPosition = s.bLogoPosition;
    return e;
}

template <typename Stored>
void Write(Stored& s, const EventOperation& e) {
    s.bSendCommand = e.bSendCommand;
    s.bFeedToCut = e.bFeedToCut;
    std::memcpy(s.abCommand, e.abCommand.data(), kCommandCapacity);
    s.cbCommand = e.cbCommand;
    s.bCashDrawer = e.bCashDrawer;
    s.bPaperCut = e.bPaperCut;
    s.bFeedMm = e.bFeedMm;
    s.bBuzzerVolume = e.bBuzzerVolume;
    s.bMessenger = e.bMessenger;
    s.dwDrawerOrMessenger = e.dwDrawerOrMessenger;
    s.bBuzzer = e.bBuzzer;
    s.bLogo = e.bLogo;
    s.bLogoAlign = e.bLogoAlign;
    s.bLogoPosition = e.bLogoPosition;
}

// A list's selection for a stored value: -1 (nothing selected) when the list has no such
// entry.
int Selection(uint8_t stored, int entries) { return stored < entries ? stored : -1; }

// What OK stores for a list's selection: entry 0 when nothing is selected.
uint8_t Stored(int selection, int entries) {
    return selection >= 0 && selection < entries ? static_cast<uint8_t>(selection) : uint8_t{0};
}

}  // namespace

std::optional<OperationEvent> OperationEventOf(int index) {
    if (index < 0 || index >= static_cast<int>(kOperationEventCount)) return std::nullopt;
    return static_cast<OperationEvent>(index);
}

size_t RecordBlockIndex(OperationEvent event) {
    switch (event) {
    case OperationEvent::kStartOfDocument: return 0;
    case OperationEvent::kStartOfPage: return 1;
    case OperationEvent::kEndOfPage: return 3;
    case OperationEvent::kEndOfDocument: return 2;
    }
    return 0;
}

text::Key EventDialogTitle(OperationEvent event) {
    switch (event) {
    case OperationEvent::kStartOfDocument: return Key::Document_RC_DOCUMENT_STARTDOC;
    case OperationEvent::kStartOfPage: return Key::Document_RC_DOCUMENT_STARTPAGE;
    case OperationEvent::kEndOfPage: return Key::Document_RC_DOCUMENT_ENDPAGE;
    case OperationEvent::kEndOfDocument: return Key::Document_RC_DOCUMENT_ENDDOC;
    }
    return Key::Document_RC_DOCUMENT_STARTDOC;
}

EventOperation ReadEventBlock(const PrivateDevMode& record, OperationEvent event) {
    switch (RecordBlockIndex(event)) {
    case 0: return Read(record.startDoc);
    case 1: return Read(record.startPage);
    case 2: return Read(record.endDoc);
    default: return Read(record.endPage);
    }
}

void WriteEventBlock(PrivateDevMode& record, OperationEvent event, const EventOperation& block) {
    switch (RecordBlockIndex(event)) {
    case 0: Write(record.startDoc, block); break;
    case 1: Write(record.startPage, block); break;
    case 2: Write(record.endDoc, block); break;
    default: Write(record.endPage, block); break;
    }
}

EventOperation DefaultEventOperation(OperationEvent event) {
    EventOperation block;
    if (event == OperationEvent::kStartOfDocument) block.bCashDrawer = 12;
    if (event == OperationEvent::kEndOfDocument) {
        block.bFeedToCut = 1;
        block.bPaperCut = 1;
    }
    return block;
}

int PreviewBitmapId(OperationEvent event, bool feedToCut, bool cut) {
    // Columns: feed and cut, feed without cut, cut without feed, neither.
    constexpr int kTable[kOperationEventCount][4] = {
        {143, 144, 145, 149},  // start of document
        {146, 147, 148, 149},  // start of page
        {140, 141, 142, 139},  // end of page
        {136, 137, 138, 139},  // end of document
    };
    const int column = feedToCut ? (cut ? 0 : 1) : (cut ? 2 : 3);
    return kTable[static_cast<size_t>(event)][column];
}

uint8_t ClampFeedMm(uint32_t typed) { return static_cast<uint8_t>(std::min(typed, kFeedMmMax)); }

uint8_t ClampBuzzerVolume(uint32_t typed) {
    return static_cast<uint8_t>(std::min(typed, kBuzzerVolumeMax));
}

EventDialogValues FromBlock(const EventOperation& block) {
    EventDialogValues v;
    v.sendCommand = block.bSendCommand == 1;
    v.feedToCut = block.bFeedToCut == 1;
    v.useMessenger = block.dwDrawerOrMessenger != 0;
    v.cashDrawer = Selection(block.bCashDrawer, kDrawerChoices);
    v.messenger = Selection(block.bMessenger, kMessengerChoices);
    v.buzzer = Selection(block.bBuzzer, kBuzzerChoices);
    v.buzzerVolume = block.bBuzzerVolume;
    v.feedMm = block.bFeedMm;
    v.paperCut = Selection(block.bPaperCut, kCutChoices);
    v.logo = Selection(block.bLogo, kLogoChoices);
    v.logoAlign = block.bLogoAlign <= 2 ? block.bLogoAlign : -1;
    v.beforeCut = block.bLogoPosition == 0;
    return v;
}

std::u16string CommandTextOf(const EventOperation& block) {
    const size_t used = std::min<size_t>(block.cbCommand, kCommandCapacity);
    return FormatHexCommand(std::span(block.abCommand.data(), used));
}

EventDialogValues DefaultEventValues(OperationEvent event) {
    return FromBlock(DefaultEventOperation(event));
}

EventControlStates ControlStatesOf(const EventDialogValues& v) {
    return {.commandEdit = v.sendCommand,
            .drawerList = !v.useMessenger,
            .messengerList = v.useMessenger,
            .volume = v.buzzer != 0,
            .logoPlacement = v.logo != 0};
}

CommandCheck CheckCommandText(std::u16string_view text) {
    if (text.size() > kCommandTextMax) return {kCommandLengthError, {}};
    std::vector<uint8_t> bytes = ParseHexCommand(text);
    if (bytes.size() > kCommandCapacity) return {kCommandLengthError, {}};
    return {std::nullopt, std::move(bytes)};
}

EventOkResult ToBlock(const EventDialogValues& v, std::u16string_view commandText) {
    CommandCheck command = CheckCommandText(commandText);
    if (command.refusal) return {command.refusal, {}};

    EventOperation block;
    std::copy(command.bytes.begin(), command.bytes.end(), block.abCommand.begin());
    block.cbCommand = static_cast<uint8_t>(command.bytes.size());
    block.bSendCommand = v.sendCommand ? 1 : 0;
    block.bFeedToCut = v.feedToCut ? 1 : 0;
    block.bCashDrawer = Stored(v.cashDrawer, kDrawerChoices);
    block.bPaperCut = Stored(v.paperCut, kCutChoices);
    block.bFeedMm = ClampFeedMm(v.feedMm);
    block.bBuzzerVolume = ClampBuzzerVolume(v.buzzerVolume);
    block.dwDrawerOrMessenger = v.useMessenger ? 1 : 0;
    block.bMessenger = Stored(v.messenger, kMessengerChoices);
    block.bBuzzer = Stored(v.buzzer, kBuzzerChoices);
    block.bLogo = Stored(v.logo, kLogoChoices);
    block.bLogoAlign = v.logoAlign == 0 ? 0 : v.logoAlign == 1 ? 1 : 2;
    block.bLogoPosition = v.beforeCut ? 0 : 1;
    return {std::nullopt, block};
}

}  // namespace zr640
