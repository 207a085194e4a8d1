// The resource script numbers its controls with the #defines of res/resource.h, which windres
// can read; the code names them with the typed constants of the core. This file fails the
// build when the two disagree, so a control renumbered on one side only cannot ship.

#include "app/control_ids.h"
#include "res/resource.h"
#include "setup/setup_ids.h"

namespace torvik {
namespace {

static_assert(ids::kAntenna1 == IDC_ANTENNA1 && ids::AntennaButton(1) == IDC_ANTENNA2 &&
              ids::AntennaButton(2) == IDC_ANTENNA3);
static_assert(ids::kSwitchRadio == IDC_SWITCH_RADIO && ids::kMixerRadio == IDC_MIXER_RADIO);
static_assert(ids::kSetup == IDC_SETUP && ids::kManual == IDC_MANUAL);
static_assert(ids::kStatusText == IDC_STATUS_TEXT && ids::kBanner == IDC_BANNER);
static_assert(ids::kRemoteReload == ID_REMOTE_RELOAD && ids::kOpenDialog == ID_OPEN_DIALOG);
static_assert(ids::kExit == IDC_EXIT && ids::kBandFollowing == ID_BAND_FOLLOWING);
static_assert(ids::kStormLock == ID_STORM_LOCK && ids::kMqtt == ID_MQTT);

// Each row of the setup dialog: the constant at index i is the resource's control i + 1.
constexpr bool Row(const std::array<int, 3>& ids, int first, int second, int third) {
    return ids[0] == first && ids[1] == second && ids[2] == third;
}
static_assert(Row(setup_ids::kKeyButton, IDC_KEY1, IDC_KEY2, IDC_KEY3));
static_assert(Row(setup_ids::kAltButton, IDC_ALT1, IDC_ALT2, IDC_ALT3));
static_assert(Row(setup_ids::kCtrlButton, IDC_CTRL1, IDC_CTRL2, IDC_CTRL3));
static_assert(Row(setup_ids::kShiftButton, IDC_SHIFT1, IDC_SHIFT2, IDC_SHIFT3));
static_assert(Row(setup_ids::kWinButton, IDC_WIN1, IDC_WIN2, IDC_WIN3));
static_assert(Row(setup_ids::kAntennaGroup, IDC_ANTENNA_GROUP1, IDC_ANTENNA_GROUP2,
                  IDC_ANTENNA_GROUP3));
static_assert(Row(setup_ids::kKeyLabel, IDC_KEY_LABEL1, IDC_KEY_LABEL2, IDC_KEY_LABEL3));
static_assert(Row(setup_ids::kPlusLabel, IDC_PLUS1, IDC_PLUS2, IDC_PLUS3));
static_assert(setup_ids::kPageButton[0] == IDC_PAGE_GLOBAL && setup_ids::kPageButton[1] == IDC_PAGE1 &&
              setup_ids::kPageButton[2] == IDC_PAGE2 && setup_ids::kPageButton[3] == IDC_PAGE3 &&
              setup_ids::kPageButton[4] == IDC_PAGE4);
static_assert(setup_ids::kCaptionGroup == IDC_CAPTION_GROUP &&
              setup_ids::kProgramGroup == IDC_PROGRAM_GROUP &&
              setup_ids::kProgramStatic == IDC_PROGRAM_STATIC &&
              setup_ids::kProgramEdit == IDC_PROGRAM_EDIT);
static_assert(setup_ids::kDeactivate == IDC_DEACTIVATE && setup_ids::kAutostart == IDC_AUTOSTART);

}  // namespace
}  // namespace torvik
