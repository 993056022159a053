#include "audio/music_volume_win.h"

#include <memory>
#include <new>

#include "audio/music_volume.h"
#include "platform/message_box_win.h"
#include "platform/unique_handle.h"

namespace zorv {
namespace {

// The program's one mixer as the music volume sees it, for the whole run: the level last set
// and the messages told in this round.
struct MixerState {
    int level = 0;  // kept between calls; a Music value outside 0..50 leaves it
    bool told[kMixerMessageCount] = {};
    bool toldThisCall = false;
};
MixerState programMixer;

void Tell(MixerMessage message) {
    if (programMixer.told[message]) return;
    programMixer.told[message] = true;
    programMixer.toldThisCall = true;
    ShowMessage(MixerMessageText(message));
}

// A mixer opened on a device, closed by that device on every way out of the routine.
void CloseMixer(MixerDevice* device, HMIXER handle) { device->Close(handle); }
using OpenMixer = UniqueHandle<CloseWithOwner<MixerDevice*, HMIXER, CloseMixer>>;

// Looks among the destination's sources for the CD-audio one and leaves it in `line`. A source
// that cannot be fetched is passed over.
bool FindCompactDiscSource(MixerDevice& mixer, HMIXER handle, const MIXERLINEA& destination, MIXERLINEA* line) {
    for (DWORD source = 0; source < destination.cConnections; ++source) {
        *line = MIXERLINEA();
        line->cbStruct = sizeof *line;
        line->dwDestination = destination.dwDestination;
        line->dwSource = source;
        if (mixer.GetLineInfo(handle, line, MIXER_GETLINEINFOF_SOURCE) != MMSYSERR_NOERROR) continue;
        if (line->dwComponentType == MIXERLINE_COMPONENTTYPE_SRC_COMPACTDISC) return true;
    }
    return false;
}

// Sets the first and last channel of the line's volume control, keeping the ones between.
void WriteVolume(MixerDevice& mixer, HMIXER handle, const MIXERLINEA& line, int level) {
    std::unique_ptr<MIXERCONTROLA> control(new (std::nothrow) MIXERCONTROLA());
    if (!control) {
        Tell(kMixerNoMemory);
        return;
    }
    MIXERLINECONTROLSA query = {};
    query.cbStruct = sizeof query;
    query.dwLineID = line.dwLineID;
    query.dwControlType = MIXERCONTROL_CONTROLTYPE_VOLUME;
    query.cControls = 1;
    query.cbmxctrl = sizeof *control;
    query.pamxctrl = control.get();
    if (mixer.GetLineControls(handle, &query, MIXER_GETLINECONTROLSF_ONEBYTYPE) != MMSYSERR_NOERROR) return;

    const DWORD channels = (control->fdwControl & MIXERCONTROL_CONTROLF_UNIFORM) ? 1 : line.cChannels;
    if (channels == 0) return;
    std::unique_ptr<MIXERCONTROLDETAILS_UNSIGNED[]> values(new (std::nothrow) MIXERCONTROLDETAILS_UNSIGNED[channels]());
    if (!values) return;

    MIXERCONTROLDETAILS details = {};
    details.cbStruct = sizeof details;
    details.dwControlID = control->dwControlID;
    details.cChannels = channels;
    details.cbDetails = sizeof values[0];
    details.paDetails = values.get();
    // Without the current values the channels between the first and the last would be
    // overwritten with guesses.
    if (mixer.GetControlDetails(handle, &details, MIXER_GETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR) return;

    const DWORD value = MixerVolumeValue(control->Bounds.dwMinimum, control->Bounds.dwMaximum, level);
    values[0].dwValue = value;
    values[channels - 1].dwValue = value;
    if (mixer.SetControlDetails(handle, &details, MIXER_SETCONTROLDETAILSF_VALUE) != MMSYSERR_NOERROR)
        Tell(kMixerSetFailed);
}

void ApplyMusicVolume(MixerDevice& mixer, int value) {
    programMixer.level = MusicLevel(value, programMixer.level);

    HMIXER handle = nullptr;
    if (mixer.Open(0, &handle) != MMSYSERR_NOERROR) {
        Tell(kMixerOpenFailed);
        return;
    }
    OpenMixer open({&mixer, handle});

    MIXERLINEA destination = {};
    destination.cbStruct = sizeof destination;
    destination.dwComponentType = MIXERLINE_COMPONENTTYPE_DST_WAVEIN;
    if (mixer.GetLineInfo(handle, &destination, MIXER_GETLINEINFOF_COMPONENTTYPE) != MMSYSERR_NOERROR) {
        Tell(kMixerNoRecordingLine);
        return;
    }
    MIXERLINEA source = {};
    if (!FindCompactDiscSource(mixer, handle, destination, &source)) return;
    WriteVolume(mixer, handle, source, programMixer.level);
}

}  // namespace

bool SetMusicVolumeOn(MixerDevice& mixer, int value) {
    programMixer.toldThisCall = false;
    ApplyMusicVolume(mixer, value);
    return programMixer.toldThisCall;
}

bool SetMusicVolume(int value) { return SetMusicVolumeOn(SystemMixer(), value); }

void BeginMixerMessages() {
    for (bool& told : programMixer.told) told = false;
}

}  // namespace zorv
