// The music volume routine against a scripted mixer: which line it acts on, the values it
// writes, what it tells the player when the mixer fails, and the level the audio screen leaves
// as it opens.
#include <windows.h>
// After windows.h, which it needs.
#include <mmsystem.h>

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "audio/audio_buttons.h"
#include "audio/audio_dialog_win.h"
#include "audio/mixer_win.h"
#include "audio/music_volume_win.h"
#include "platform/message_box_win.h"
#include "test_files_win.h"
#include "thread_dialogs_win.h"

using namespace zorv;

namespace {

std::vector<std::string> g_messages;
void CollectMessage(const char* text) { g_messages.push_back(text); }

const HMIXER kHandle = reinterpret_cast<HMIXER>(0x5150);

struct ScriptedSource {
    DWORD componentType;
    DWORD lineId;
    DWORD channels;
    MMRESULT fetch = MMSYSERR_NOERROR;
};

// A mixer that answers from its script and records what it was asked and given.
class ScriptedMixer : public MixerDevice {
public:
    // Script.
    MMRESULT open = MMSYSERR_NOERROR;
    MMRESULT destinationResult = MMSYSERR_NOERROR;
    DWORD destinationIndex = 3;
    std::vector<ScriptedSource> sources;
    MMRESULT controlResult = MMSYSERR_NOERROR;
    DWORD controlFlags = 0;
    DWORD minimum = 0;
    DWORD maximum = 65535;
    MMRESULT readResult = MMSYSERR_NOERROR;
    MMRESULT writeResult = MMSYSERR_NOERROR;
    std::vector<DWORD> current;  // the control's values before the call, one per channel

    // Record.
    int lineQueries = 0;
    int closes = 0;
    bool badArgument = false;
    DWORD controlLine = 0;
    std::vector<DWORD> written;  // empty while nothing was written

    ScriptedMixer() { sources = {{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 40, 2}}; }

    MMRESULT Open(UINT device, HMIXER* mixer) override {
        badArgument |= device != 0;
        if (open != MMSYSERR_NOERROR) return open;
        *mixer = kHandle;
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetLineInfo(HMIXER mixer, MIXERLINEA* line, DWORD flags) override {
        ++lineQueries;
        badArgument |= mixer != kHandle || line->cbStruct != sizeof *line;
        if (flags == MIXER_GETLINEINFOF_COMPONENTTYPE) {
            badArgument |= line->dwComponentType != MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
            if (destinationResult != MMSYSERR_NOERROR) return destinationResult;
            line->dwDestination = destinationIndex;
            line->dwLineID = 0xFFFF0000;
            line->cChannels = 2;
            line->cConnections = static_cast<DWORD>(sources.size());
            return MMSYSERR_NOERROR;
        }
        badArgument |= flags != MIXER_GETLINEINFOF_SOURCE || line->dwDestination != destinationIndex ||
                       line->dwSource >= sources.size();
        if (line->dwSource >= sources.size()) return MIXERR_INVALLINE;
        const ScriptedSource& s = sources[line->dwSource];
        if (s.fetch != MMSYSERR_NOERROR) return s.fetch;
        line->dwComponentType = s.componentType;
        line->dwLineID = s.lineId;
        line->cChannels = s.channels;
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetLineControls(HMIXER mixer, MIXERLINECONTROLSA* controls, DWORD flags) override {
        badArgument |= mixer != kHandle || flags != MIXER_GETLINECONTROLSF_ONEBYTYPE ||
                       controls->dwControlType != MIXERCONTROL_CONTROLTYPE_VOLUME || controls->cControls != 1 ||
                       controls->cbmxctrl != sizeof(MIXERCONTROLA) || !controls->pamxctrl;
        controlLine = controls->dwLineID;
        if (controlResult != MMSYSERR_NOERROR) return controlResult;
        controls->pamxctrl->dwControlID = 77;
        controls->pamxctrl->fdwControl = controlFlags;
        controls->pamxctrl->Bounds.dwMinimum = minimum;
        controls->pamxctrl->Bounds.dwMaximum = maximum;
        return MMSYSERR_NOERROR;
    }
    MMRESULT GetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        CheckDetails(mixer, details, flags, MIXER_GETCONTROLDETAILSF_VALUE);
        if (readResult != MMSYSERR_NOERROR) return readResult;
        auto* values = static_cast<MIXERCONTROLDETAILS_UNSIGNED*>(details->paDetails);
        for (DWORD i = 0; i < details->cChannels && i < current.size(); ++i) values[i].dwValue = current[i];
        return MMSYSERR_NOERROR;
    }
    MMRESULT SetControlDetails(HMIXER mixer, MIXERCONTROLDETAILS* details, DWORD flags) override {
        CheckDetails(mixer, details, flags, MIXER_SETCONTROLDETAILSF_VALUE);
        if (writeResult != MMSYSERR_NOERROR) return writeResult;
        const auto* values = static_cast<const MIXERCONTROLDETAILS_UNSIGNED*>(details->paDetails);
        written.assign(details->cChannels, 0);
        for (DWORD i = 0; i < details->cChannels; ++i) written[i] = values[i].dwValue;
        return MMSYSERR_NOERROR;
    }
    MMRESULT Close(HMIXER mixer) override {
        badArgument |= mixer != kHandle;
        ++closes;
        return MMSYSERR_NOERROR;
    }

private:
    void CheckDetails(HMIXER mixer, const MIXERCONTROLDETAILS* details, DWORD flags, DWORD expected) {
        badArgument |= mixer != kHandle || flags != expected || details->cbStruct != sizeof *details ||
                       details->dwControlID != 77 || details->cbDetails != sizeof(MIXERCONTROLDETAILS_UNSIGNED) ||
                       !details->paDetails || details->cChannels == 0;
    }
};

// Presses DONE on the audio screen once it is up: runs in the screen's own modal loop.
UINT_PTR g_pressTimer = 0;
void CALLBACK PressDone(HWND, UINT, UINT_PTR, DWORD) {
    HWND dialog = zorv_test::VisibleDialogOfThread(GetCurrentThreadId());
    if (!dialog) return;
    KillTimer(nullptr, g_pressTimer);
    const zorv::ButtonRect& done = kAudioButtons[0].hot;
    SendMessageA(dialog, WM_LBUTTONDOWN, MK_LBUTTON,
                 MAKELPARAM((done.left + done.right) / 2, (done.top + done.bottom) / 2));
}

class MusicVolume : public ::testing::Test {
protected:
    void SetUp() override {
        g_messages.clear();
        SetMessageSinkForTesting(CollectMessage);
        BeginMixerMessages();
    }
    void TearDown() override { SetMessageSinkForTesting(nullptr); }

    // One call on a fresh copy of the script; the value written to the first channel, or -1.
    long long Written(ScriptedMixer mixer, int music) {
        SetMusicVolumeOn(mixer, music);
        EXPECT_FALSE(mixer.badArgument) << music;
        EXPECT_EQ(mixer.closes, 1) << music;
        return mixer.written.empty() ? -1LL : static_cast<long long>(mixer.written.front());
    }
};

}  // namespace

TEST_F(MusicVolume, LevelsFollowTheMusicValueAndOutsideValuesKeepTheLast) {
    const ScriptedMixer mixer;
    // clang-format off
    const struct { int music; long long value; } sequence[] = {
        {0, 5461},  // a twelfth of the bounds' sum, not silence
        {15, 8191}, {25, 16383}, {35, 32767}, {50, 65535},
        {10, 5461}, {11, 8191}, {20, 8191}, {21, 16383},
        {51, 16383}, {-1, 16383},  // the level of the call before
        {40, 32767}, {1000, 32767},
    };
    // clang-format on
    for (const auto& step : sequence) EXPECT_EQ(Written(mixer, step.music), step.value) << step.music;
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(MusicVolume, OnlyTheFirstAndLastChannelChange) {
    ScriptedMixer four;
    four.sources = {{MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 40, 4}};
    four.current = {1, 2, 3, 4};
    ScriptedMixer uniform = four, mono = four, none = four;
    uniform.controlFlags = MIXERCONTROL_CONTROLF_UNIFORM;
    mono.sources[0].channels = 1;
    none.sources[0].channels = 0;

    SetMusicVolumeOn(four, 50);
    EXPECT_EQ(four.written, (std::vector<DWORD>{65535, 2, 3, 65535}));
    SetMusicVolumeOn(uniform, 50);
    EXPECT_EQ(uniform.written, (std::vector<DWORD>{65535}));
    SetMusicVolumeOn(mono, 0);
    EXPECT_EQ(mono.written, (std::vector<DWORD>{5461}));
    SetMusicVolumeOn(none, 0);
    EXPECT_TRUE(none.written.empty());
    for (const ScriptedMixer* m : {&four, &uniform, &mono, &none}) EXPECT_FALSE(m->badArgument);
}

TEST_F(MusicVolume, ActsOnTheCompactDiscSourceOrOnNothing) {
    ScriptedMixer several;
    several.sources = {{MIXERLINE_COMPONENTTYPE_SRC_MICROPHONE, 10, 1},
                       {MIXERLINE_COMPONENTTYPE_SRC_LINE, 20, 2, MMSYSERR_ERROR},
                       {MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC, 30, 2},
                       {MIXERLINE_COMPONENTTYPE_SRC_AUXILIARY, 40, 2}};
    // Without a CD-audio source the last source fetched (the microphone here) is left alone.
    ScriptedMixer noCd = several;
    noCd.sources.erase(noCd.sources.begin() + 2);
    noCd.sources.pop_back();
    ScriptedMixer noSources;
    noSources.sources.clear();

    EXPECT_EQ(Written(several, 30), 16383);
    SetMusicVolumeOn(several, 30);
    EXPECT_EQ(several.controlLine, 30u);
    EXPECT_EQ(several.lineQueries, 1 + 3) << "the search stops at the CD-audio source";

    EXPECT_EQ(Written(noCd, 30), -1);
    SetMusicVolumeOn(noCd, 30);
    EXPECT_EQ(noCd.controlLine, 0u) << "no control was asked for";
    EXPECT_EQ(Written(noSources, 30), -1);
    EXPECT_TRUE(g_messages.empty());
}

TEST_F(MusicVolume, FailuresAreToldOncePerOpeningWithTheirExactTexts) {
    const struct {
        const char* what;
        void (*script)(ScriptedMixer&);
        const char* message;  // nullptr: nothing is told
        int closes;           // per call
    } cases[] = {
        {"no mixer", [](ScriptedMixer& m) { m.open = MMSYSERR_NODRIVER; }, " Mixer Open Error1", 0},
        {"no recording destination", [](ScriptedMixer& m) { m.destinationResult = MIXERR_INVALLINE; },
         " Mixer Open Error2", 1},
        {"the value is refused", [](ScriptedMixer& m) { m.writeResult = MMSYSERR_ERROR; }, " Mixer Open Error3", 1},
        {"no volume control", [](ScriptedMixer& m) { m.controlResult = MIXERR_INVALCONTROL; }, nullptr, 1},
        {"current values unreadable", [](ScriptedMixer& m) { m.readResult = MMSYSERR_ERROR; }, nullptr, 1},
    };
    for (const auto& c : cases) {
        for (int opening = 0; opening < 2; ++opening) {
            BeginMixerMessages();
            g_messages.clear();
            ScriptedMixer mixer;
            c.script(mixer);
            std::string told;
            for (int music : {25, 30, 50}) told += SetMusicVolumeOn(mixer, music) ? "y" : "n";
            if (c.message) {
                EXPECT_EQ(g_messages, std::vector<std::string>{c.message}) << c.what;
                EXPECT_EQ(told, "ynn") << c.what;
            } else {
                EXPECT_TRUE(g_messages.empty()) << c.what;
                EXPECT_EQ(told, "nnn") << c.what;
            }
            EXPECT_TRUE(mixer.written.empty() || mixer.writeResult != MMSYSERR_NOERROR) << c.what;
            EXPECT_EQ(mixer.closes, 3 * c.closes) << c.what;
            EXPECT_FALSE(mixer.badArgument) << c.what;
            if (mixer.open != MMSYSERR_NOERROR) {
                EXPECT_EQ(mixer.lineQueries, 0) << "a mixer that is not open is not asked";
            }
        }
    }
    // Different failures within one opening are each told once.
    BeginMixerMessages();
    g_messages.clear();
    ScriptedMixer closed, noLine;
    closed.open = MMSYSERR_NODRIVER;
    noLine.destinationResult = MIXERR_INVALLINE;
    for (int i = 0; i < 2; ++i) {
        SetMusicVolumeOn(closed, 25);
        SetMusicVolumeOn(noLine, 25);
    }
    EXPECT_EQ(g_messages, (std::vector<std::string>{" Mixer Open Error1", " Mixer Open Error2"}));
}

// The audio screen applies the music volume as it opens: with the custom flag 0 that of 25,
// whatever Music the file holds. The level it leaves is what a value outside 0..50 keeps.
TEST_F(MusicVolume, AudioScreenOpenedWithTheFlagClearAppliesTwentyFive) {
    char temp[MAX_PATH], previous[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    GetCurrentDirectoryA(MAX_PATH, previous);
    const std::string folder = std::string(temp) + "zorv_mixer_" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(folder.c_str(), nullptr);
    CreateDirectoryA((folder + "\\info").c_str(), nullptr);
    ASSERT_TRUE(zorv_test::WriteBytes(folder + "\\info\\Audio.cfg", "0\r\nMusic 40\r\nSound 10\r\n"));
    HMODULE program = LoadLibraryExA(ZORV_GAME_DIR "\\zorv3d.exe", nullptr, DONT_RESOLVE_DLL_REFERENCES);
    ASSERT_TRUE(program) << "the program's resources";

    const ScriptedMixer mixer;
    EXPECT_EQ(Written(mixer, 0), 5461);
    SetCurrentDirectoryA(folder.c_str());
    g_pressTimer = SetTimer(nullptr, 0, 0, PressDone);
    AudioSettings audio;
    const bool shown = ShowAudioDialog(nullptr, program, audio);
    KillTimer(nullptr, g_pressTimer);
    SetCurrentDirectoryA(previous);
    EXPECT_TRUE(shown);
    EXPECT_EQ(Written(mixer, 51), 16383) << "the screen did not apply the level of 25";

    FreeLibrary(program);
    DeleteFileA((folder + "\\info\\Audio.cfg").c_str());
    RemoveDirectoryA((folder + "\\info").c_str());
    RemoveDirectoryA(folder.c_str());
}
