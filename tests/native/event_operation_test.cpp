// The event operations without windows: the block each Operation-page button edits, what
// Default shows, the preview picture, and what OK stores, byte by byte in the record.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "core/operation/event_operation.h"
#include "core/operation/hex_command.h"
#include "core/settings/private_devmode.h"
#include "plugin/resources/resource.h"

namespace zr640 {
namespace {

using Bytes = std::vector<uint8_t>;
using text::Key;

constexpr OperationEvent kEvents[] = {OperationEvent::kStartOfDocument,
                                      OperationEvent::kStartOfPage, OperationEvent::kEndOfPage,
                                      OperationEvent::kEndOfDocument};

// Where each event's block lies in the record, and where its placement puts the fields
// that move (from the stored format, not from the structs).
struct Placement {
    size_t start, size, volume, messenger, drawerOrMessenger, buzzer;
};
Placement PlacementOf(OperationEvent event) {
    switch (event) {
    case OperationEvent::kStartOfDocument: return {16, 145, 140, 134, 136, 141};
    case OperationEvent::kStartOfPage: return {161, 147, 134, 135, 139, 143};
    case OperationEvent::kEndOfPage: return {452, 144, 134, 135, 136, 140};
    case OperationEvent::kEndOfDocument: return {308, 144, 134, 135, 136, 140};
    }
    return {};
}

Bytes RecordBytes(const PrivateDevMode& record) {
    const auto bytes = BytesOf(record);
    return Bytes(bytes.begin(), bytes.end());
}

PrivateDevMode DefaultRecord() {
    PrivateDevMode record;
    FillDefaultDevMode(record, u"C:\\");
    return record;
}

EventDialogValues SomeChoices() {
    EventDialogValues v;
    v.sendCommand = true;
    v.feedToCut = true;
    v.useMessenger = true;
    v.cashDrawer = 7;
    v.messenger = 1;
    v.buzzer = 4;
    v.buzzerVolume = 999;  // typed above the range
    v.feedMm = 250;
    v.paperCut = 2;
    v.logo = 2;
    v.logoAlign = 1;
    v.beforeCut = false;
    return v;
}

TEST(EventOperation, ButtonsMapToTheRecordsBlocks) {
    // The record keeps startDoc, startPage, endDoc and endPage in that order.
    EXPECT_EQ(RecordBlockIndex(OperationEvent::kStartOfDocument), 0u);
    EXPECT_EQ(RecordBlockIndex(OperationEvent::kStartOfPage), 1u);
    EXPECT_EQ(RecordBlockIndex(OperationEvent::kEndOfPage), 3u);
    EXPECT_EQ(RecordBlockIndex(OperationEvent::kEndOfDocument), 2u);
    EXPECT_EQ(OperationEventOf(2), OperationEvent::kEndOfPage);
    EXPECT_EQ(OperationEventOf(3), OperationEvent::kEndOfDocument);
    EXPECT_FALSE(OperationEventOf(4).has_value());
    EXPECT_FALSE(OperationEventOf(-1).has_value());
    EXPECT_EQ(EventDialogTitle(OperationEvent::kStartOfDocument),
              Key::Document_RC_DOCUMENT_STARTDOC);
    EXPECT_EQ(EventDialogTitle(OperationEvent::kStartOfPage), Key::Document_RC_DOCUMENT_STARTPAGE);
    EXPECT_EQ(EventDialogTitle(OperationEvent::kEndOfPage), Key::Document_RC_DOCUMENT_ENDPAGE);
    EXPECT_EQ(EventDialogTitle(OperationEvent::kEndOfDocument), Key::Document_RC_DOCUMENT_ENDDOC);
}

// OK for each event writes exactly its block: every byte of it as the placement puts the
// values, the command area zero-filled behind the command, padding as it was, and every
// byte outside the block unchanged.
TEST(EventOperation, OkStoresEveryByteOfTheRightBlockOnly) {
    for (const OperationEvent event : kEvents) {
        PrivateDevMode record = DefaultRecord();
        const Placement at = PlacementOf(event);
        uint8_t* raw = reinterpret_cast<uint8_t*>(&record);
        std::memset(raw + at.start, 0xEE, at.size);  // an old block with a long command
        const Bytes before = RecordBytes(record);

        const EventOkResult ok = ToBlock(SomeChoices(), u"1d 56 42 00");
        ASSERT_TRUE(ok.ok());
        WriteEventBlock(record, event, ok.block);
        const Bytes after = RecordBytes(record);

        Bytes expected(before.begin() + static_cast<long>(at.start),
                       before.begin() + static_cast<long>(at.start + at.size));
        expected[0] = 1;  // send command
        expected[1] = 1;  // feed to cut
        std::fill(expected.begin() + 2, expected.begin() + 130, uint8_t{0});
        expected[2] = 0x1D, expected[3] = 0x56, expected[4] = 0x42, expected[5] = 0x00;
        expected[130] = 4;    // command length
        expected[131] = 7;    // drawer
        expected[132] = 2;    // full cut
        expected[133] = 100;  // feed clamped
        expected[at.volume] = 255;
        expected[at.messenger] = 1;
        expected[at.drawerOrMessenger] = 1;
        expected[at.drawerOrMessenger + 1] = 0;
        expected[at.drawerOrMessenger + 2] = 0;
        expected[at.drawerOrMessenger + 3] = 0;
        expected[at.buzzer] = 4;
        expected[at.buzzer + 1] = 2;  // logo 2
        expected[at.buzzer + 2] = 1;  // centred
        expected[at.buzzer + 3] = 1;  // after the cut
        for (size_t i = 0; i < after.size(); ++i) {
            const bool inBlock = i >= at.start && i < at.start + at.size;
            const uint8_t want = inBlock ? expected[i - at.start] : before[i];
            ASSERT_EQ(after[i], want) << "event " << static_cast<int>(event) << " byte " << i;
        }
        EXPECT_EQ(ReadEventBlock(record, event), ok.block);
    }
}

TEST(EventOperation, DefaultIsTheRecordsInitialBlock) {
    const PrivateDevMode record = DefaultRecord();
    for (const OperationEvent event : kEvents) {
        EXPECT_EQ(ReadEventBlock(record, event), DefaultEventOperation(event))
            << "event " << static_cast<int>(event);
    }
}

TEST(EventOperation, DefaultByEvent) {
    const EventDialogValues startDoc = DefaultEventValues(OperationEvent::kStartOfDocument);
    EXPECT_EQ(startDoc.cashDrawer, 12) << "Cash Drawer #1+#2 Waiting 60ms";
    EXPECT_FALSE(startDoc.feedToCut);
    EXPECT_EQ(startDoc.paperCut, 0);

    const EventDialogValues endDoc = DefaultEventValues(OperationEvent::kEndOfDocument);
    EXPECT_TRUE(endDoc.feedToCut);
    EXPECT_EQ(endDoc.paperCut, 1) << "Partial Cut";
    EXPECT_EQ(endDoc.cashDrawer, 0);

    for (const OperationEvent event : {OperationEvent::kStartOfPage, OperationEvent::kEndOfPage}) {
        EXPECT_EQ(DefaultEventValues(event), EventDialogValues{})
            << "event " << static_cast<int>(event);
    }
    for (const OperationEvent event : kEvents) {
        const EventDialogValues v = DefaultEventValues(event);
        EXPECT_FALSE(v.sendCommand);
        EXPECT_FALSE(v.useMessenger);
        EXPECT_EQ(v.messenger, 0);
        EXPECT_EQ(v.buzzer, 0);
        EXPECT_EQ(v.buzzerVolume, 0u);
        EXPECT_EQ(v.feedMm, 0u);
        EXPECT_EQ(v.logo, 0);
        EXPECT_EQ(v.logoAlign, 0) << "Left";
        EXPECT_TRUE(v.beforeCut);
        EXPECT_EQ(CommandTextOf(DefaultEventOperation(event)), u"");
        EXPECT_EQ(ControlStatesOf(v), (EventControlStates{.commandEdit = false,
                                                          .drawerList = true,
                                                          .messengerList = false,
                                                          .volume = false,
                                                          .logoPlacement = false}));
    }
}

TEST(EventOperation, ControlsFollowTheChoices) {
    EventDialogValues v;
    v.buzzer = 1;
    v.logo = 9;
    v.useMessenger = true;
    v.sendCommand = true;
    EXPECT_EQ(ControlStatesOf(v), (EventControlStates{true, false, true, true, true}));
    v.buzzer = 0;  // "Beep off"
    v.logo = 0;    // "Not Print Logo"
    const EventControlStates off = ControlStatesOf(v);
    EXPECT_FALSE(off.volume);
    EXPECT_FALSE(off.logoPlacement);
}

TEST(EventOperation, PreviewPictureByEventFeedAndCut) {
    struct Row {
        OperationEvent event;
        int feedCut, feedOnly, cutOnly, neither;
    };
    const Row rows[] = {
        {OperationEvent::kStartOfDocument, IDB_STRIP_STARTDOC_FEED_CUT, IDB_STRIP_STARTDOC_FEED,
         IDB_STRIP_STARTDOC_CUT, IDB_STRIP_START_PLAIN},
        {OperationEvent::kStartOfPage, IDB_STRIP_STARTPAGE_FEED_CUT, IDB_STRIP_STARTPAGE_FEED,
         IDB_STRIP_STARTPAGE_CUT, IDB_STRIP_START_PLAIN},
        {OperationEvent::kEndOfPage, IDB_STRIP_ENDPAGE_FEED_CUT, IDB_STRIP_ENDPAGE_FEED,
         IDB_STRIP_ENDPAGE_CUT, IDB_STRIP_END_PLAIN},
        {OperationEvent::kEndOfDocument, IDB_STRIP_ENDDOC_FEED_CUT, IDB_STRIP_ENDDOC_FEED,
         IDB_STRIP_ENDDOC_CUT, IDB_STRIP_END_PLAIN},
    };
    for (const Row& row : rows) {
        EXPECT_EQ(PreviewBitmapId(row.event, true, true), row.feedCut);
        EXPECT_EQ(PreviewBitmapId(row.event, true, false), row.feedOnly);
        EXPECT_EQ(PreviewBitmapId(row.event, false, true), row.cutOnly);
        EXPECT_EQ(PreviewBitmapId(row.event, false, false), row.neither);
    }
    EXPECT_EQ(PreviewBitmapId(OperationEvent::kStartOfDocument, true, true), 143);
    EXPECT_EQ(PreviewBitmapId(OperationEvent::kEndOfPage, false, false), 139);
    EXPECT_FALSE(CutChosen(0));
    EXPECT_TRUE(CutChosen(1));
    EXPECT_TRUE(CutChosen(2));
}

TEST(EventOperation, CommandLengthIsCheckedOnTheWholeText) {
    const EventDialogValues v;
    EXPECT_TRUE(ToBlock(v, std::u16string(256, u'A')).ok()) << "128 bytes";
    const EventOkResult over = ToBlock(v, std::u16string(257, u'1'));
    ASSERT_FALSE(over.ok()) << "129 bytes";
    EXPECT_EQ(*over.refusal, kCommandLengthError);
    EXPECT_EQ(over.refusal->text, Key::MessageBox_MB_OPERATION_ERROR1);
    EXPECT_EQ(over.refusal->caption, Key::MessageBox_MB_ERROR);

    // A text past 399 characters is refused, not cut short to its first bytes.
    const std::u16string padded = u"1D" + std::u16string(398, u' ') + u"56";
    EXPECT_FALSE(ToBlock(v, padded).ok());
    EXPECT_FALSE(CheckCommandText(std::u16string(400, u' ')).refusal == std::nullopt);
    const std::u16string longest = u"1D" + std::u16string(395, u' ') + u"56";
    ASSERT_EQ(longest.size(), 399u);
    const EventOkResult kept = ToBlock(v, longest);
    ASSERT_TRUE(kept.ok());
    EXPECT_EQ(kept.block.cbCommand, 2);
    EXPECT_EQ(kept.block.abCommand[1], 0x56);
}

TEST(EventOperation, OkStoresTheCommandEvenWhenNotSent) {
    EventDialogValues v;
    v.sendCommand = false;
    const EventOkResult ok = ToBlock(v, u"1B 40");
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.block.bSendCommand, 0);
    EXPECT_EQ(ok.block.cbCommand, 2);
    EXPECT_EQ(ok.block.abCommand[0], 0x1B);
    EXPECT_EQ(ok.block.abCommand[1], 0x40);
    for (size_t i = 2; i < kCommandCapacity; ++i) ASSERT_EQ(ok.block.abCommand[i], 0) << i;
    EXPECT_EQ(ToBlock(v, u"").block.cbCommand, 0);
}

TEST(EventOperation, NumbersClampAndEmptySelectionsStoreTheFirstEntry) {
    EXPECT_EQ(ClampFeedMm(100), 100);
    EXPECT_EQ(ClampFeedMm(101), 100);
    EXPECT_EQ(ClampFeedMm(0xFFFFFFFF), 100);
    EXPECT_EQ(ClampBuzzerVolume(255), 255);
    EXPECT_EQ(ClampBuzzerVolume(256), 255);

    EventDialogValues v;
    v.cashDrawer = -1;
    v.paperCut = 3;
    v.logo = -1;
    v.logoAlign = -1;  // no alignment radio checked
    const EventOperation block = ToBlock(v, u"").block;
    EXPECT_EQ(block.bCashDrawer, 0);
    EXPECT_EQ(block.bPaperCut, 0);
    EXPECT_EQ(block.bLogo, 0);
    EXPECT_EQ(block.bLogoAlign, 2) << "neither Left nor Centered checked stores Right";
}

TEST(EventOperation, StoredValuesOutsideTheListsSelectNothing) {
    EventOperation block;
    block.bCashDrawer = 13;
    block.bPaperCut = 3;
    block.bBuzzer = 6;
    block.bLogo = 10;
    block.bMessenger = 2;
    block.bLogoAlign = 3;
    block.bLogoPosition = 7;
    block.dwDrawerOrMessenger = 5;
    block.cbCommand = 200;  // more than the area holds: only the area is shown
    const EventDialogValues v = FromBlock(block);
    EXPECT_EQ(v.cashDrawer, -1);
    EXPECT_EQ(v.paperCut, -1);
    EXPECT_EQ(v.buzzer, -1);
    EXPECT_EQ(v.logo, -1);
    EXPECT_EQ(v.messenger, -1);
    EXPECT_EQ(v.logoAlign, -1);
    EXPECT_FALSE(v.beforeCut);
    EXPECT_TRUE(v.useMessenger);
    EXPECT_EQ(ParseHexCommand(CommandTextOf(block)).size(), kCommandCapacity);
}

TEST(EventOperation, AnInRangeBlockSurvivesTheDialogUnchanged) {
    EventOperation block;
    block.bSendCommand = 1;
    block.bFeedToCut = 1;
    block.abCommand[0] = 0x1D, block.abCommand[1] = 0x56, block.abCommand[2] = 0x00;
    block.cbCommand = 3;  // the trailing zero byte is part of the command
    block.bCashDrawer = 5;
    block.bPaperCut = 1;
    block.bFeedMm = 100;
    block.bBuzzerVolume = 255;
    block.bMessenger = 1;
    block.dwDrawerOrMessenger = 1;
    block.bBuzzer = 5;
    block.bLogo = 9;
    block.bLogoAlign = 2;
    block.bLogoPosition = 1;
    EXPECT_EQ(CommandTextOf(block), u"1D 56 00 ");
    const EventOkResult ok = ToBlock(FromBlock(block), CommandTextOf(block));
    ASSERT_TRUE(ok.ok());
    EXPECT_EQ(ok.block, block);
}

}  // namespace
}  // namespace zr640
