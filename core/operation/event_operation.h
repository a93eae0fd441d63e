// The operations attached to the four moments of a print job, without windows: which block
// of the settings record a moment edits, what Default shows, which paper-strip picture the
// preview draws, and what OK stores. The event-operation dialog only moves values between
// its controls and these functions.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/localisation/text_catalog.h"
#include "core/settings/private_devmode.h"

namespace zr640 {

// The moments in the order of the Operation page's buttons. The record holds their blocks
// in another order (start of document, start of page, end of document, end of page).
enum class OperationEvent : uint8_t {
    kStartOfDocument = 0,
    kStartOfPage = 1,
    kEndOfPage = 2,
    kEndOfDocument = 3,
};
inline constexpr size_t kOperationEventCount = 4;

// Index 0 to 3 as the page numbers its buttons; nullopt for any other number.
std::optional<OperationEvent> OperationEventOf(int index);

// The block's position in the record: 0 startDoc, 1 startPage, 2 endDoc, 3 endPage.
size_t RecordBlockIndex(OperationEvent event);

// The title of the event's dialog ("DOCUMENT" section).
text::Key EventDialogTitle(OperationEvent event);

constexpr size_t kCommandCapacity = 128;  // bytes of abCommand

// One block's fields, whatever the record's placement of them; the working copy of the
// event dialog.
struct EventOperation {
    uint8_t bSendCommand = 0;
    uint8_t bFeedToCut = 0;
    std::array<uint8_t, kCommandCapacity> abCommand{};
    uint8_t cbCommand = 0;
    uint8_t bCashDrawer = 0;
    uint8_t bPaperCut = 0;
    uint8_t bFeedMm = 0;
    uint8_t bBuzzerVolume = 0;
    uint8_t bMessenger = 0;
    uint32_t dwDrawerOrMessenger = 0;
    uint8_t bBuzzer = 0;
    uint8_t bLogo = 0;
    uint8_t bLogoAlign = 0;
    uint8_t bLogoPosition = 0;
    bool operator==(const EventOperation&) const = default;
};

// Copies the event's block out of the record, and back. Writing sets every field of the
// block, the whole command area included; the placement's padding bytes keep their values.
EventOperation ReadEventBlock(const PrivateDevMode& record, OperationEvent event);
void WriteEventBlock(PrivateDevMode& record, OperationEvent event, const EventOperation& block);

// The record's initial block for the event, which is also what Default shows: the start of
// document opens both drawers for 60 ms, the end of document feeds to the cut position and
// cuts partially, everything else is 0.
EventOperation DefaultEventOperation(OperationEvent event);

// The paper-strip picture of the preview (bitmap resources 136 to 149), by event, "feed to
// cut position" and whether a cut (partial or full) is chosen.
int PreviewBitmapId(OperationEvent event, bool feedToCut, bool cut);

// List sizes of the dialog.
inline constexpr int kDrawerChoices = 13;
inline constexpr int kMessengerChoices = 2;
inline constexpr int kBuzzerChoices = 6;
inline constexpr int kCutChoices = 3;
inline constexpr int kLogoChoices = 10;
inline constexpr uint32_t kFeedMmMax = 100;
inline constexpr uint32_t kBuzzerVolumeMax = 255;
// OK reads the command edit whole and refuses a text longer than this.
inline constexpr size_t kCommandTextMax = 399;

// A number edit's value as the spin and the record take it: above the maximum it is the
// maximum.
uint8_t ClampFeedMm(uint32_t typed);
uint8_t ClampBuzzerVolume(uint32_t typed);

// The dialog's controls, as values. A list selection of -1 means nothing is selected (what a
// list shows for a stored value outside it); an alignment of -1 checks none of the radios.
// The two number edits hold the number as typed (an empty edit is 0); OK clamps them.
struct EventDialogValues {
    bool sendCommand = false;   // 1015; the command edit is enabled only when checked
    bool feedToCut = false;     // 1023
    bool useMessenger = false;  // 1026 checked (else 1025, the drawer)
    int cashDrawer = 0;         // 1017, 0 to 12
    int messenger = 0;          // 1032, 0 to 1
    int buzzer = 0;             // 1027, 0 to 5
    uint32_t buzzerVolume = 0;  // 1024 and its spin 1035
    uint32_t feedMm = 0;        // 1021 and its spin 1022
    int paperCut = 0;           // 1020, 0 to 2
    int logo = 0;               // 1028, 0 to 9
    int logoAlign = 0;          // 1029 / 1030 / 1031 as 0 / 1 / 2, or -1
    bool beforeCut = true;      // 1033 checked (else 1034)
    bool operator==(const EventDialogValues&) const = default;
};

// What the controls show for a block (the command edit shows CommandTextOf(block)).
EventDialogValues FromBlock(const EventOperation& block);
std::u16string CommandTextOf(const EventOperation& block);

// What Default puts into the controls for the event; the command edit becomes empty.
EventDialogValues DefaultEventValues(OperationEvent event);

// Which controls are enabled for the values.
struct EventControlStates {
    bool commandEdit;    // 1016
    bool drawerList;     // 1017
    bool messengerList;  // 1032
    bool volume;         // 1024 and 1035
    bool logoPlacement;  // 1029, 1030, 1031, 1033 and 1034
    bool operator==(const EventControlStates&) const = default;
};
EventControlStates ControlStatesOf(const EventDialogValues& values);

// Whether the preview shows a cut for the cut list's selection (any entry but "No Cut").
inline bool CutChosen(int paperCut) { return paperCut > 0; }

// A message box: its text and caption keys in the "MessageBox" section.
struct OperationMessage {
    text::Key text;
    text::Key caption;
    bool operator==(const OperationMessage&) const = default;
};
inline constexpr OperationMessage kCommandLengthError{text::Key::MessageBox_MB_OPERATION_ERROR1,
                                                      text::Key::MessageBox_MB_ERROR};

// Checks a command text as OK reads it, whole: more than 399 characters or more than 128
// bytes is refused with "Command length error!". Otherwise gives the bytes.
struct CommandCheck {
    std::optional<OperationMessage> refusal;
    std::vector<uint8_t> bytes;  // when there is no refusal
};
CommandCheck CheckCommandText(std::u16string_view text);

// OK: the block the dialog stores, or the message that keeps it open with nothing stored.
// The command bytes are stored (zero-filled to 128) whether or not "send command" is on;
// numbers above their range are clamped; a list without a selection stores its entry 0.
struct EventOkResult {
    std::optional<OperationMessage> refusal;
    EventOperation block;  // meaningful when there is no refusal
    bool ok() const { return !refusal.has_value(); }
};
EventOkResult ToBlock(const EventDialogValues& values, std::u16string_view commandText);

}  // namespace zr640
