#include <cstring>
#include <string_view>

#include "platform/mci/Mci.h"

namespace {
struct TErrorText {
  MCIERROR Code;
  const char* Text;
};

constexpr TErrorText kTexts[] = {
    {0, "The specified command was carried out."},
    {MCIERR_INVALID_DEVICE_ID, "Invalid MCI device ID. Use the ID returned when opening the MCI device."},
    {MCIERR_UNRECOGNIZED_KEYWORD, "The driver cannot recognize the specified command parameter."},
    {MCIERR_UNRECOGNIZED_COMMAND, "The driver cannot recognize the specified command."},
    {MCIERR_HARDWARE,
     "There is a problem with your media device. Make sure it is working correctly or contact the device "
     "manufacturer."},
    {MCIERR_INVALID_DEVICE_NAME, "The specified device is not open or is not recognized by MCI."},
    {MCIERR_OUT_OF_MEMORY,
     "Not enough memory available for this task. Quit one or more applications to increase available memory, "
     "and then try again."},
    {MCIERR_DEVICE_OPEN,
     "The device name is already being used as an alias by this application. Use a unique alias."},
    {MCIERR_CANNOT_LOAD_DRIVER, "There is an undetectable problem in loading the specified device driver."},
    {MCIERR_MISSING_COMMAND_STRING, "No command was specified."},
    {MCIERR_MISSING_PARAMETER, "The specified command requires a parameter. Please supply one."},
    {MCIERR_UNSUPPORTED_FUNCTION, "The MCI device you are using does not support the specified command."},
    {MCIERR_FILE_NOT_FOUND, "Cannot find the specified file. Make sure the path and filename are correct."},
    {MCIERR_DEVICE_NOT_READY, "The device driver is not ready."},
    {MCIERR_INTERNAL, "A problem occurred in initializing MCI. Try restarting the program."},
    {MCIERR_DRIVER, "There is a problem with the device driver. The driver has closed. Cannot access error."},
    {MCIERR_CANNOT_USE_ALL, "Cannot use 'all' as the device name with the specified command."},
    {MCIERR_EXTENSION_NOT_FOUND, "Cannot determine the device type from the given filename extension."},
    {MCIERR_OUTOFRANGE, "The specified parameter is out of range for the specified command."},
    {MCIERR_FLAGS_NOT_COMPATIBLE, "The specified parameters cannot be used together."},
    {MCIERR_FILE_NOT_SAVED,
     "Cannot save the specified file. Make sure you have enough disk space or are still connected to the "
     "network."},
    {MCIERR_DEVICE_TYPE_REQUIRED,
     "Cannot find the specified device. Make sure it is installed or that the device name is spelled "
     "correctly."},
    {MCIERR_DEVICE_LOCKED, "The specified device is now being closed. Wait a few seconds, and then try again."},
    {MCIERR_BAD_CONSTANT, "The specified parameter is invalid for this command."},
    {MCIERR_BAD_TIME_FORMAT,
     "The specified value for the time format is invalid. Refer to the MCI documentation for valid formats."},
    {MCIERR_INVALID_FILE,
     "The specified file cannot be played on the specified MCI device. The file may be corrupt, or not in the "
     "correct format."},
    {MCIERR_NULL_PARAMETER_BLOCK, "A null parameter block was passed to MCI."},
    {MCIERR_UNNAMED_RESOURCE, "Cannot save an unnamed file. Supply a filename."},
    {MCIERR_NONAPPLICABLE_FUNCTION,
     "Cannot carry out the commands in the order specified. Correct the command sequence, and then try again."},
    {MCIERR_WAVE_INPUTSINUSE,
     "All wave devices that can record files in the current format are in use. Wait until a wave device is "
     "free, and then try again."},
    {MCIERR_WAVE_INPUTUNSPECIFIED, "Any compatible waveform recording device may be used."},
    {MCIERR_WAVE_INPUTSUNSUITABLE,
     "No wave device that can record files in the current format is installed. Use the Drivers option to "
     "install the wave device."},
    {MCIERR_NO_WINDOW, "There is no display window."},
    {MCIERR_FILE_READ,
     "Cannot read the specified file. Make sure the file is still present, or check your disk or network "
     "connection."},
    {MCIERR_FILE_WRITE,
     "Cannot write to the specified file. Make sure you have enough disk space or are still connected to the "
     "network."},
};
}  // namespace

BOOL mciGetErrorString(MCIERROR error, char* buffer, UINT size) {
  if (!buffer || size == 0) return 0;
  buffer[0] = 0;
  for (const auto& t : kTexts) {
    if (t.Code != error) continue;
    std::string_view text(t.Text);
    size_t n = std::min<size_t>(text.size(), size - 1);
    std::memcpy(buffer, text.data(), n);
    buffer[n] = 0;
    return 1;
  }
  return 0;
}
