// MIDI music: the stand-in for the sequencer's string commands (mciSendStringA). A small
// interpreter of exactly the commands the runtime sends, over FluidSynth's synthesizer, rendering
// into the audio stream of audio.h:
//
//   open "<path>" type sequencer alias <name>
//   play <name> [from 0] [notify]
//   stop <name>        (keeps the position; play without "from" continues)
//   close <name>
//   status <name> mode (reply "playing" or "stopped")
//
// When a piece played with notify ends, MM_MCINOTIFY with MCI_NOTIFY_SUCCESSFUL is posted to the
// main window's queue, the next time the queue is looked at. A pending notice that a stop or close cuts short is reported as aborted,
// one that a new play replaces as superseded; neither is successful.
#pragma once
#include <cstddef>
#include <cstdint>

namespace platform {

inline constexpr uint32_t MCIERR_UNRECOGNIZED_KEYWORD = 259;
inline constexpr uint32_t MCIERR_UNRECOGNIZED_COMMAND = 261;
inline constexpr uint32_t MCIERR_INVALID_DEVICE_NAME = 263;
inline constexpr uint32_t MCIERR_DEVICE_OPEN = 265;
inline constexpr uint32_t MCIERR_MISSING_PARAMETER = 273;
inline constexpr uint32_t MCIERR_FILE_NOT_FOUND = 275;
inline constexpr uint32_t MCIERR_OUTOFRANGE = 282;
inline constexpr uint32_t MCIERR_DUPLICATE_ALIAS = 289;
inline constexpr uint32_t MCIERR_INVALID_FILE = 296;

// Runs one command. 0 on success, else an MCI error code. The reply (for status) is written to
// reply when it is not null, always terminated and cut to replySize. A notify command posts its
// notice to the main window only when notifyWindow is non-zero.
uint32_t MciSendString(const char* command, char* reply, size_t replySize, uintptr_t notifyWindow);

} // namespace platform
