// The sound library the sound cues call: seven functions of the FSOUND
// interface, with its argument conventions, mixed by our own mixer and played
// through SDL2. All calls come from one thread.
#pragma once

// A loaded sample, converted to the mixing rate. Opaque to callers.
struct FSOUND_SAMPLE;

// Output codes for FSOUND_SetOutput.
inline constexpr int FSOUND_OUTPUT_NOSOUND = 0;
inline constexpr int FSOUND_OUTPUT_WINMM = 1;
inline constexpr int FSOUND_OUTPUT_DSOUND = 2;

// Channel arguments.
inline constexpr int FSOUND_FREE = -1;  // any idle channel
inline constexpr int FSOUND_ALL = -3;   // every channel
// Sample slot argument: let the library choose.
inline constexpr int FSOUND_UNMANAGED = -1;
// Sample mode flag the game passes; no flag changes how a file is read here.
inline constexpr unsigned FSOUND_2D = 0x2000;

// Starts the mixer with `maxsoftwarechannels` channels (at most 64) at
// `mixrate` Hz and opens the output chosen so far (the default device unless
// FSOUND_OUTPUT_NOSOUND was set). When no device can be opened the library
// runs on without one, silently: samples load and play, nothing is heard.
// False for a second call without FSOUND_Close or an unusable rate.
bool FSOUND_Init(int mixrate, int maxsoftwarechannels, unsigned flags);

// 1 and 2 both mean the default device; 0 no output. Before FSOUND_Init it
// chooses what Init opens; after it, the output is opened or closed to match.
bool FSOUND_SetOutput(int outputtype);

// Loads a PCM WAV file (8 or 16 bit, mono or stereo, any rate). `offset` and
// `length` pick a byte range of the file; 0 and 0 read all of it. Null when
// the library is not started or the file is missing, unreadable or no valid WAV.
FSOUND_SAMPLE* FSOUND_Sample_Load(int index, const char* name, unsigned mode, int offset,
                                  int length);

// Starts `sample` on `channel` (FSOUND_FREE: an idle one, else the one that has
// played longest). Returns the channel used, -1 when nothing plays.
int FSOUND_PlaySound(int channel, FSOUND_SAMPLE* sample);

// Stops one channel or, with FSOUND_ALL, all of them.
bool FSOUND_StopSound(int channel);

// Releases a sample, stopping it where it plays. Null or unknown: nothing.
void FSOUND_Sample_Free(FSOUND_SAMPLE* sample);

// Closes the output and releases every sample still loaded.
void FSOUND_Close();
