#pragma once
// The media control interface: command messages to devices by id, parameter blocks,
// error codes and their English texts, and MM_MCINOTIFY to a callback window.
// Devices are chosen by type name or by the element's file extension ("wav" built in,
// others from the "mci extensions" section of win.ini).
#include <cstdint>
#include <functional>

#include "framework/core/Types.h"
#include "framework/messages/Messages.h"

using MCIERROR = DWORD;
using MCIDEVICEID = UINT;
using DWORD_PTR = std::uintptr_t;
using BOOL = int;

// Commands.
constexpr UINT MCI_OPEN = 0x0803;
constexpr UINT MCI_CLOSE = 0x0804;
constexpr UINT MCI_ESCAPE = 0x0805;
constexpr UINT MCI_PLAY = 0x0806;
constexpr UINT MCI_SEEK = 0x0807;
constexpr UINT MCI_STOP = 0x0808;
constexpr UINT MCI_PAUSE = 0x0809;
constexpr UINT MCI_INFO = 0x080A;
constexpr UINT MCI_GETDEVCAPS = 0x080B;
constexpr UINT MCI_SPIN = 0x080C;
constexpr UINT MCI_SET = 0x080D;
constexpr UINT MCI_STEP = 0x080E;
constexpr UINT MCI_RECORD = 0x080F;
constexpr UINT MCI_SYSINFO = 0x0810;
constexpr UINT MCI_BREAK = 0x0811;
constexpr UINT MCI_SAVE = 0x0813;
constexpr UINT MCI_STATUS = 0x0814;
constexpr UINT MCI_CUE = 0x0830;
constexpr UINT MCI_REALIZE = 0x0840;
constexpr UINT MCI_WINDOW = 0x0841;
constexpr UINT MCI_PUT = 0x0842;
constexpr UINT MCI_WHERE = 0x0843;
constexpr UINT MCI_RESUME = 0x0855;

// Flags common to all commands.
constexpr DWORD MCI_NOTIFY = 0x00000001;
constexpr DWORD MCI_WAIT = 0x00000002;
constexpr DWORD MCI_FROM = 0x00000004;
constexpr DWORD MCI_TO = 0x00000008;
constexpr DWORD MCI_TRACK = 0x00000010;

constexpr DWORD MCI_OPEN_SHAREABLE = 0x00000100;
constexpr DWORD MCI_OPEN_ELEMENT = 0x00000200;
constexpr DWORD MCI_OPEN_ALIAS = 0x00000400;
constexpr DWORD MCI_OPEN_ELEMENT_ID = 0x00000800;
constexpr DWORD MCI_OPEN_TYPE_ID = 0x00001000;
constexpr DWORD MCI_OPEN_TYPE = 0x00002000;

constexpr DWORD MCI_SEEK_TO_START = 0x00000100;
constexpr DWORD MCI_SEEK_TO_END = 0x00000200;

constexpr DWORD MCI_SAVE_FILE = 0x00000100;

constexpr DWORD MCI_STATUS_ITEM = 0x00000100;
constexpr DWORD MCI_STATUS_START = 0x00000200;
constexpr DWORD MCI_STATUS_LENGTH = 1;
constexpr DWORD MCI_STATUS_POSITION = 2;
constexpr DWORD MCI_STATUS_NUMBER_OF_TRACKS = 3;
constexpr DWORD MCI_STATUS_MODE = 4;
constexpr DWORD MCI_STATUS_MEDIA_PRESENT = 5;
constexpr DWORD MCI_STATUS_TIME_FORMAT = 6;
constexpr DWORD MCI_STATUS_READY = 7;
constexpr DWORD MCI_STATUS_CURRENT_TRACK = 8;

constexpr DWORD MCI_GETDEVCAPS_ITEM = 0x00000100;
constexpr DWORD MCI_GETDEVCAPS_CAN_RECORD = 1;
constexpr DWORD MCI_GETDEVCAPS_HAS_AUDIO = 2;
constexpr DWORD MCI_GETDEVCAPS_HAS_VIDEO = 3;
constexpr DWORD MCI_GETDEVCAPS_DEVICE_TYPE = 4;
constexpr DWORD MCI_GETDEVCAPS_USES_FILES = 5;
constexpr DWORD MCI_GETDEVCAPS_COMPOUND_DEVICE = 6;
constexpr DWORD MCI_GETDEVCAPS_CAN_EJECT = 7;
constexpr DWORD MCI_GETDEVCAPS_CAN_PLAY = 8;
constexpr DWORD MCI_GETDEVCAPS_CAN_SAVE = 9;

constexpr DWORD MCI_SET_DOOR_OPEN = 0x00000100;
constexpr DWORD MCI_SET_DOOR_CLOSED = 0x00000200;
constexpr DWORD MCI_SET_TIME_FORMAT = 0x00000400;
constexpr DWORD MCI_SET_AUDIO = 0x00000800;
constexpr DWORD MCI_SET_VIDEO = 0x00001000;

constexpr DWORD MCI_FORMAT_MILLISECONDS = 0;
constexpr DWORD MCI_FORMAT_HMS = 1;
constexpr DWORD MCI_FORMAT_MSF = 2;
constexpr DWORD MCI_FORMAT_FRAMES = 3;
constexpr DWORD MCI_FORMAT_BYTES = 8;
constexpr DWORD MCI_FORMAT_SAMPLES = 9;
constexpr DWORD MCI_FORMAT_TMSF = 10;

constexpr DWORD MCI_ANIM_WINDOW_HWND = 0x00010000;
constexpr DWORD MCI_ANIM_WHERE_SOURCE = 0x00020000;
constexpr DWORD MCI_ANIM_WHERE_DESTINATION = 0x00040000;

// Device types.
constexpr DWORD MCI_DEVTYPE_VCR = 513;
constexpr DWORD MCI_DEVTYPE_VIDEODISC = 514;
constexpr DWORD MCI_DEVTYPE_OVERLAY = 515;
constexpr DWORD MCI_DEVTYPE_CD_AUDIO = 516;
constexpr DWORD MCI_DEVTYPE_DAT = 517;
constexpr DWORD MCI_DEVTYPE_SCANNER = 518;
constexpr DWORD MCI_DEVTYPE_ANIMATION = 519;
constexpr DWORD MCI_DEVTYPE_DIGITAL_VIDEO = 520;
constexpr DWORD MCI_DEVTYPE_OTHER = 521;
constexpr DWORD MCI_DEVTYPE_WAVEFORM_AUDIO = 522;
constexpr DWORD MCI_DEVTYPE_SEQUENCER = 523;

// Modes.
constexpr DWORD MCI_MODE_NOT_READY = 524;
constexpr DWORD MCI_MODE_STOP = 525;
constexpr DWORD MCI_MODE_PLAY = 526;
constexpr DWORD MCI_MODE_RECORD = 527;
constexpr DWORD MCI_MODE_SEEK = 528;
constexpr DWORD MCI_MODE_PAUSE = 529;
constexpr DWORD MCI_MODE_OPEN = 530;

// Notify codes (WParam of MM_MCINOTIFY; LParam is the device id).
constexpr UINT MCI_NOTIFY_SUCCESSFUL = 1;
constexpr UINT MCI_NOTIFY_SUPERSEDED = 2;
constexpr UINT MCI_NOTIFY_ABORTED = 4;
constexpr UINT MCI_NOTIFY_FAILURE = 8;

// Error codes.
constexpr MCIERROR MCIERR_BASE = 256;
constexpr MCIERROR MCIERR_INVALID_DEVICE_ID = MCIERR_BASE + 1;
constexpr MCIERROR MCIERR_UNRECOGNIZED_KEYWORD = MCIERR_BASE + 3;
constexpr MCIERROR MCIERR_UNRECOGNIZED_COMMAND = MCIERR_BASE + 5;
constexpr MCIERROR MCIERR_HARDWARE = MCIERR_BASE + 6;
constexpr MCIERROR MCIERR_INVALID_DEVICE_NAME = MCIERR_BASE + 7;
constexpr MCIERROR MCIERR_OUT_OF_MEMORY = MCIERR_BASE + 8;
constexpr MCIERROR MCIERR_DEVICE_OPEN = MCIERR_BASE + 9;
constexpr MCIERROR MCIERR_CANNOT_LOAD_DRIVER = MCIERR_BASE + 10;
constexpr MCIERROR MCIERR_MISSING_COMMAND_STRING = MCIERR_BASE + 11;
constexpr MCIERROR MCIERR_MISSING_PARAMETER = MCIERR_BASE + 17;
constexpr MCIERROR MCIERR_UNSUPPORTED_FUNCTION = MCIERR_BASE + 18;
constexpr MCIERROR MCIERR_FILE_NOT_FOUND = MCIERR_BASE + 19;
constexpr MCIERROR MCIERR_DEVICE_NOT_READY = MCIERR_BASE + 20;
constexpr MCIERROR MCIERR_INTERNAL = MCIERR_BASE + 21;
constexpr MCIERROR MCIERR_DRIVER = MCIERR_BASE + 22;
constexpr MCIERROR MCIERR_CANNOT_USE_ALL = MCIERR_BASE + 23;
constexpr MCIERROR MCIERR_EXTENSION_NOT_FOUND = MCIERR_BASE + 25;
constexpr MCIERROR MCIERR_OUTOFRANGE = MCIERR_BASE + 26;
constexpr MCIERROR MCIERR_FLAGS_NOT_COMPATIBLE = MCIERR_BASE + 28;
constexpr MCIERROR MCIERR_FILE_NOT_SAVED = MCIERR_BASE + 30;
constexpr MCIERROR MCIERR_DEVICE_TYPE_REQUIRED = MCIERR_BASE + 31;
constexpr MCIERROR MCIERR_DEVICE_LOCKED = MCIERR_BASE + 32;
constexpr MCIERROR MCIERR_BAD_CONSTANT = MCIERR_BASE + 34;
constexpr MCIERROR MCIERR_BAD_TIME_FORMAT = MCIERR_BASE + 37;
constexpr MCIERROR MCIERR_INVALID_FILE = MCIERR_BASE + 40;
constexpr MCIERROR MCIERR_NULL_PARAMETER_BLOCK = MCIERR_BASE + 41;
constexpr MCIERROR MCIERR_UNNAMED_RESOURCE = MCIERR_BASE + 42;
constexpr MCIERROR MCIERR_NONAPPLICABLE_FUNCTION = MCIERR_BASE + 46;
constexpr MCIERROR MCIERR_WAVE_INPUTSINUSE = MCIERR_BASE + 66;
constexpr MCIERROR MCIERR_WAVE_INPUTUNSPECIFIED = MCIERR_BASE + 69;
constexpr MCIERROR MCIERR_WAVE_INPUTSUNSUITABLE = MCIERR_BASE + 72;
constexpr MCIERROR MCIERR_NO_WINDOW = MCIERR_BASE + 90;
constexpr MCIERROR MCIERR_FILE_READ = MCIERR_BASE + 92;
constexpr MCIERROR MCIERR_FILE_WRITE = MCIERR_BASE + 93;

// Parameter blocks, in the classic field order; each starts with the callback window.
struct MCI_GENERIC_PARMS {
  DWORD_PTR dwCallback = 0;
};
struct MCI_OPEN_PARMS {
  DWORD_PTR dwCallback = 0;
  MCIDEVICEID wDeviceID = 0;
  const char* lpstrDeviceType = nullptr;
  const char* lpstrElementName = nullptr;
  const char* lpstrAlias = nullptr;
};
struct MCI_PLAY_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD dwFrom = 0;
  DWORD dwTo = 0;
};
struct MCI_RECORD_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD dwFrom = 0;
  DWORD dwTo = 0;
};
struct MCI_SEEK_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD dwTo = 0;
};
struct MCI_SAVE_PARMS {
  DWORD_PTR dwCallback = 0;
  const char* lpfilename = nullptr;
};
struct MCI_STATUS_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD_PTR dwReturn = 0;
  DWORD dwItem = 0;
  DWORD dwTrack = 0;
};
struct MCI_GETDEVCAPS_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD dwReturn = 0;
  DWORD dwItem = 0;
};
struct MCI_SET_PARMS {
  DWORD_PTR dwCallback = 0;
  DWORD dwTimeFormat = 0;
  DWORD dwAudio = 0;
};
struct MCI_ANIM_RECT_PARMS {
  DWORD_PTR dwCallback = 0;
  TRect rc;
};
struct MCI_ANIM_WINDOW_PARMS {
  DWORD_PTR dwCallback = 0;
  HWND hWnd = 0;
  UINT nCmdShow = 0;
  const char* lpstrText = nullptr;
};

// Sends a command to a device (0 for MCI_OPEN); 0 on success or an MCIERR_ code.
MCIERROR mciSendCommand(MCIDEVICEID device, UINT message, DWORD_PTR flags, DWORD_PTR params);
// The English text of an error code; false (and an empty buffer) for an unknown code.
BOOL mciGetErrorString(MCIERROR error, char* buffer, UINT size);
// Posts MM_MCINOTIFY (code, device) to the callback window; nothing when it is 0.
void mciDriverNotify(DWORD_PTR callback, MCIDEVICEID device, UINT code);

// When set, every mciSendCommand goes to this function instead of the devices.
using TMciTestDriver = std::function<MCIERROR(MCIDEVICEID, UINT, DWORD_PTR, DWORD_PTR)>;
void mciSetTestDriver(TMciTestDriver driver);
