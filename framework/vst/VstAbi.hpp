#pragma once
// The VST 2.4 binary interface: the C record a host loads, the host callback,
// the opcode numbers, flags, constants and the structures passed through the
// dispatcher and the callback.
//
// This header is self-contained: it depends on nothing else of the framework,
// so that the command-line host in tools/ can include it as well. Everything
// here must match the host side bit for bit; the static_asserts at the end
// pin the layouts for x86_64 (Linux and Windows) and i686 (Windows).
//
// Identifiers are the customary ones hosts and plug-ins use. They live in
// namespace Vantor::Vst so they never clash with another copy of the
// interface in the same program.

#include <cstddef>
#include <cstdint>

// On 32-bit Windows the entry point, the record functions and the host
// callback use the C calling convention (caller cleans the stack). Every
// other target has a single convention.
#if defined(_WIN32) && !defined(_WIN64)
#define VANTOR_VSTCALL __cdecl
#else
#define VANTOR_VSTCALL
#endif

namespace Vantor::Vst
{

// ---------------------------------------------------------------------------
// Basic types
// ---------------------------------------------------------------------------

using VstInt16 = std::int16_t;
using VstInt32 = std::int32_t;
using VstIntPtr = std::intptr_t; // signed and pointer-sized: 8 bytes on x86_64, 4 on i686

// A four-character code 'abcd' as the int32 a<<24 | b<<16 | c<<8 | d, the same
// value a multi-character literal has, without needing one.
constexpr VstInt32 fourCharCode(const char (&code)[5]) noexcept
{
    const auto byte = [&](int i) { return static_cast<std::uint32_t>(static_cast<unsigned char>(code[i])); };
    return static_cast<VstInt32>(byte(0) << 24 | byte(1) << 16 | byte(2) << 8 | byte(3));
}

constexpr VstInt32 kEffectMagic = fourCharCode("VstP");     // AEffect::magic
constexpr VstInt32 kEffectIdentify = fourCharCode("NvEf");  // answer to effIdentify
constexpr VstInt32 kDefaultUniqueId = fourCharCode("NoEf"); // uniqueID until a plug-in sets its own
constexpr VstInt32 kVstVersion = 2400;                      // interface version 2.4

// ---------------------------------------------------------------------------
// The effect record and its function types
// ---------------------------------------------------------------------------

struct AEffect;

// Host callback: the plug-in calls it with an audioMaster... opcode.
using audioMasterCallback = VstIntPtr(VANTOR_VSTCALL*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                       VstIntPtr value, void* ptr, float opt);
// Opcode entry of the record: the host calls it with an eff... opcode.
using AEffectDispatcherProc = VstIntPtr(VANTOR_VSTCALL*)(AEffect* effect, VstInt32 opcode, VstInt32 index,
                                                         VstIntPtr value, void* ptr, float opt);
// process (deprecated, adds into outputs) and processReplacing (overwrites them).
using AEffectProcessProc = void(VANTOR_VSTCALL*)(AEffect* effect, float** inputs, float** outputs,
                                                 VstInt32 sampleFrames);
using AEffectProcessDoubleProc = void(VANTOR_VSTCALL*)(AEffect* effect, double** inputs, double** outputs,
                                                       VstInt32 sampleFrames);
// value is normalised to 0...1.
using AEffectSetParameterProc = void(VANTOR_VSTCALL*)(AEffect* effect, VstInt32 index, float value);
using AEffectGetParameterProc = float(VANTOR_VSTCALL*)(AEffect* effect, VstInt32 index);
// Entry point exported by the module ("VSTPluginMain" and "main").
using VstPluginMainProc = AEffect*(VANTOR_VSTCALL*)(audioMasterCallback host);

// The record a plug-in hands to the host. Fields marked "host's" belong to
// the host (some hosts keep their own pointers there): a plug-in leaves them 0.
struct AEffect
{
    VstInt32 magic; // kEffectMagic, hosts reject anything else
    AEffectDispatcherProc dispatcher;
    AEffectProcessProc process; // deprecated accumulating process, still filled in
    AEffectSetParameterProc setParameter;
    AEffectGetParameterProc getParameter;
    VstInt32 numPrograms;
    VstInt32 numParams;
    VstInt32 numInputs;
    VstInt32 numOutputs;
    VstInt32 flags;         // VstAEffectFlags
    VstIntPtr resvd1;       // host's
    VstIntPtr resvd2;       // host's
    VstInt32 initialDelay;  // latency in samples
    VstInt32 realQualities; // deprecated, 0
    VstInt32 offQualities;  // deprecated, 0
    float ioRatio;          // deprecated, 1.0
    void* object;           // the plug-in's own instance
    void* user;             // host's
    VstInt32 uniqueID;      // four-character ID
    VstInt32 version;       // e.g. 1100 = 1.1.0.0
    AEffectProcessProc processReplacing;
    AEffectProcessDoubleProc processDoubleReplacing; // called only with effFlagsCanDoubleReplacing
    char future[56];                                 // zero
};

// AEffect::flags bits. Deprecated ones are kept for their numbers only.
enum VstAEffectFlags : VstInt32
{
    effFlagsHasEditor = 1 << 0,
    effFlagsHasClip = 1 << 1,       // deprecated
    effFlagsHasVu = 1 << 2,         // deprecated
    effFlagsCanMono = 1 << 3,       // deprecated
    effFlagsCanReplacing = 1 << 4,  // mandatory
    effFlagsProgramChunks = 1 << 5, // state through effGetChunk / effSetChunk
    effFlagsIsSynth = 1 << 8,
    effFlagsNoSoundInStop = 1 << 9, // silent output for silent input
    effFlagsExtIsAsync = 1 << 10,   // deprecated
    effFlagsExtHasBuffer = 1 << 11, // deprecated
    effFlagsCanDoubleReplacing = 1 << 12,
};

// ---------------------------------------------------------------------------
// Effect opcodes: host -> plug-in, through AEffect::dispatcher
// ---------------------------------------------------------------------------

enum AEffectOpcodes : VstInt32
{
    effOpen = 0,
    effClose = 1,      // the record entry answers 1 and deletes the instance
    effSetProgram = 2, // value: program
    effGetProgram = 3,
    effSetProgramName = 4,  // ptr: name (kVstMaxProgNameLen)
    effGetProgramName = 5,  // ptr: out buffer (kVstMaxProgNameLen)
    effGetParamLabel = 6,   // index: param, ptr: out buffer (kVstMaxParamStrLen)
    effGetParamDisplay = 7, // index: param, ptr: out buffer (kVstMaxParamStrLen)
    effGetParamName = 8,    // index: param, ptr: out buffer (kVstMaxParamStrLen)
    effGetVu = 9,           // deprecated
    effSetSampleRate = 10,  // opt: rate in Hz
    effSetBlockSize = 11,   // value: max frames
    effMainsChanged = 12,   // value: 0 = off (suspend), else on (resume)
    effEditGetRect = 13,    // ptr: ERect** out
    effEditOpen = 14,       // ptr: parent window
    effEditClose = 15,
    effEditDraw = 16,  // deprecated
    effEditMouse = 17, // deprecated
    effEditKey = 18,   // deprecated
    effEditIdle = 19,
    effEditTop = 20,   // deprecated
    effEditSleep = 21, // deprecated
    effIdentify = 22,  // deprecated, still answered with kEffectIdentify
    effGetChunk = 23,  // index: 0 bank, 1 program; ptr: void** out; returns byte size
    effSetChunk = 24,  // index: 0 bank, 1 program; value: byte size; ptr: data

    effProcessEvents = 25,           // ptr: VstEvents*
    effCanBeAutomated = 26,          // index: param
    effString2Parameter = 27,        // index: param, ptr: text (null asks "supported?")
    effGetNumProgramCategories = 28, // deprecated
    effGetProgramNameIndexed = 29,   // index: program, ptr: out buffer (kVstMaxProgNameLen)
    effCopyProgram = 30,             // deprecated
    effConnectInput = 31,            // deprecated
    effConnectOutput = 32,           // deprecated
    effGetInputProperties = 33,      // index: pin, ptr: VstPinProperties*
    effGetOutputProperties = 34,     // index: pin, ptr: VstPinProperties*
    effGetPlugCategory = 35,
    effGetCurrentPosition = 36,   // deprecated
    effGetDestinationBuffer = 37, // deprecated
    effOfflineNotify = 38,
    effOfflinePrepare = 39,
    effOfflineRun = 40,
    effProcessVarIo = 41,
    effSetSpeakerArrangement = 42,     // value: input VstSpeakerArrangement*, ptr: output one
    effSetBlockSizeAndSampleRate = 43, // deprecated
    effSetBypass = 44,                 // value: 1 bypass, 0 not
    effGetEffectName = 45,             // ptr: out buffer (kVstMaxEffectNameLen)
    effGetErrorText = 46,              // deprecated
    effGetVendorString = 47,           // ptr: out buffer (kVstMaxVendorStrLen)
    effGetProductString = 48,          // ptr: out buffer (kVstMaxProductStrLen)
    effGetVendorVersion = 49,
    effVendorSpecific = 50,
    effCanDo = 51, // ptr: capability text; 1 yes, -1 no, 0 don't know
    effGetTailSize = 52,
    effIdle = 53,                   // deprecated
    effGetIcon = 54,                // deprecated
    effSetViewPosition = 55,        // deprecated
    effGetParameterProperties = 56, // index: param, ptr: VstParameterProperties*
    effKeysRequired = 57,           // deprecated
    effGetVstVersion = 58,
    effEditKeyDown = 59,     // index: character, value: VKEY_*, opt: modifier bits
    effEditKeyUp = 60,       // same arguments as effEditKeyDown
    effSetEditKnobMode = 61, // value: VstKnobMode
    effGetMidiProgramName = 62,
    effGetCurrentMidiProgram = 63,
    effGetMidiProgramCategory = 64,
    effHasMidiProgramsChanged = 65,
    effGetMidiKeyName = 66,
    effBeginSetProgram = 67,
    effEndSetProgram = 68,
    effGetSpeakerArrangement = 69, // value / ptr: addresses of the host's arrangement pointers
    effShellGetNextPlugin = 70,
    effStartProcess = 71,
    effStopProcess = 72,
    effSetTotalSampleToProcess = 73,
    effSetPanLaw = 74, // value: VstPanLawType, opt: gain
    effBeginLoadBank = 75,
    effBeginLoadProgram = 76,
    effSetProcessPrecision = 77, // value: VstProcessPrecision
    effGetNumMidiInputChannels = 78,
    effGetNumMidiOutputChannels = 79,
};

// ---------------------------------------------------------------------------
// Host opcodes: plug-in -> host, through audioMasterCallback
// ---------------------------------------------------------------------------

enum AudioMasterOpcodes : VstInt32
{
    audioMasterAutomate = 0,  // index: param, opt: normalised value
    audioMasterVersion = 1,   // host's interface version; 0 = pre-2.x host
    audioMasterCurrentId = 2, // unique ID of the shell sub-plug-in being created
    audioMasterIdle = 3,
    audioMasterPinConnected = 4,  // deprecated; index: pin, value: 0 in / 1 out; 0 means connected
    audioMasterWantMidi = 6,      // deprecated; value: filter
    audioMasterGetTime = 7,       // value: mask of kVst...Valid flags; returns VstTimeInfo*
    audioMasterProcessEvents = 8, // ptr: VstEvents*
    audioMasterSetTime = 9,       // deprecated
    audioMasterTempoAt = 10,      // deprecated; value: sample position; returns tempo * 10000
    audioMasterGetNumAutomatableParameters = 11, // deprecated
    audioMasterGetParameterQuantization = 12,    // deprecated
    audioMasterIOChanged = 13,
    audioMasterNeedIdle = 14,   // deprecated
    audioMasterSizeWindow = 15, // index: width, value: height
    audioMasterGetSampleRate = 16,
    audioMasterGetBlockSize = 17,
    audioMasterGetInputLatency = 18,
    audioMasterGetOutputLatency = 19,
    audioMasterGetPreviousPlug = 20,         // deprecated
    audioMasterGetNextPlug = 21,             // deprecated
    audioMasterWillReplaceOrAccumulate = 22, // deprecated
    audioMasterGetCurrentProcessLevel = 23,  // VstProcessLevels
    audioMasterGetAutomationState = 24,      // VstAutomationStates
    audioMasterOfflineStart = 25,
    audioMasterOfflineRead = 26,
    audioMasterOfflineWrite = 27,
    audioMasterOfflineGetCurrentPass = 28,
    audioMasterOfflineGetCurrentMetaPass = 29,
    audioMasterSetOutputSampleRate = 30,         // deprecated
    audioMasterGetOutputSpeakerArrangement = 31, // deprecated
    audioMasterGetVendorString = 32,             // ptr: out buffer (kVstMaxVendorStrLen)
    audioMasterGetProductString = 33,            // ptr: out buffer (kVstMaxProductStrLen)
    audioMasterGetVendorVersion = 34,
    audioMasterVendorSpecific = 35,
    audioMasterSetIcon = 36,      // deprecated
    audioMasterCanDo = 37,        // ptr: capability text; 1 yes, -1 no, 0 don't know
    audioMasterGetLanguage = 38,  // VstHostLanguage
    audioMasterOpenWindow = 39,   // deprecated
    audioMasterCloseWindow = 40,  // deprecated
    audioMasterGetDirectory = 41, // returns char* plug-in folder
    audioMasterUpdateDisplay = 42,
    audioMasterBeginEdit = 43,                  // index: param
    audioMasterEndEdit = 44,                    // index: param
    audioMasterOpenFileSelector = 45,           // ptr: VstFileSelect*
    audioMasterCloseFileSelector = 46,          // ptr: VstFileSelect*
    audioMasterEditFile = 47,                   // deprecated
    audioMasterGetChunkFile = 48,               // deprecated
    audioMasterGetInputSpeakerArrangement = 49, // deprecated
};

// ---------------------------------------------------------------------------
// Constants
// ---------------------------------------------------------------------------

// Text limits count characters without the terminating NUL: buffers hold limit + 1.
enum VstStringConstants : VstInt32
{
    kVstMaxProgNameLen = 24,
    kVstMaxParamStrLen = 8,
    kVstMaxVendorStrLen = 64,
    kVstMaxProductStrLen = 64,
    kVstMaxEffectNameLen = 32,
    kVstMaxNameLen = 64,
    kVstMaxLabelLen = 64,
    kVstMaxShortLabelLen = 8,
    kVstMaxCategLabelLen = 24,
    kVstMaxFileNameLen = 100,
};

enum VstPlugCategory : VstInt32
{
    kPlugCategUnknown = 0,
    kPlugCategEffect = 1,
    kPlugCategSynth = 2,
    kPlugCategAnalysis = 3,
    kPlugCategMastering = 4,
    kPlugCategSpacializer = 5,
    kPlugCategRoomFx = 6,
    kPlugSurroundFx = 7,
    kPlugCategRestoration = 8,
    kPlugCategOfflineProcess = 9,
    kPlugCategShell = 10,
    kPlugCategGenerator = 11,
    kPlugCategMaxCount = 12,
};

enum VstHostLanguage : VstInt32
{
    kVstLangEnglish = 1,
    kVstLangGerman = 2,
    kVstLangFrench = 3,
    kVstLangItalian = 4,
    kVstLangSpanish = 5,
    kVstLangJapanese = 6,
};

enum VstProcessPrecision : VstInt32
{
    kVstProcessPrecision32 = 0,
    kVstProcessPrecision64 = 1,
};

enum VstProcessLevels : VstInt32
{
    kVstProcessLevelUnknown = 0,
    kVstProcessLevelUser = 1,     // GUI thread
    kVstProcessLevelRealtime = 2, // audio thread
    kVstProcessLevelPrefetch = 3,
    kVstProcessLevelOffline = 4,
};

enum VstAutomationStates : VstInt32
{
    kVstAutomationUnsupported = 0,
    kVstAutomationOff = 1,
    kVstAutomationRead = 2,
    kVstAutomationWrite = 3,
    kVstAutomationReadWrite = 4,
};

enum VstPanLawType : VstInt32
{
    kLinearPanLaw = 0,
    kEqualPowerPanLaw = 1,
};

enum VstKnobMode : VstInt32
{
    kCircularMode = 0,
    kRelativCircularMode = 1,
    kLinearMode = 2,
};

// ---------------------------------------------------------------------------
// Events (effProcessEvents, audioMasterProcessEvents)
// ---------------------------------------------------------------------------

enum VstEventTypes : VstInt32
{
    kVstMidiType = 1,
    kVstAudioType = 2,     // deprecated
    kVstVideoType = 3,     // deprecated
    kVstParameterType = 4, // deprecated
    kVstTriggerType = 5,   // deprecated
    kVstSysExType = 6,
};

// Generic event header; the type tells which concrete layout follows.
// byteSize is not reliable across hosts: do not depend on it.
struct VstEvent
{
    VstInt32 type;
    VstInt32 byteSize;
    VstInt32 deltaFrames; // offset from the start of the current block
    VstInt32 flags;
    char data[16];
};

// The block handed over by effProcessEvents. events is declared with two
// entries but really holds numEvents pointers.
struct VstEvents
{
    VstInt32 numEvents;
    VstIntPtr reserved; // 0
    VstEvent* events[2];
};

enum VstMidiEventFlags : VstInt32
{
    kVstMidiEventIsRealtime = 1,
};

// A MIDI message of up to three bytes. midiData is plain char, which is
// signed on x86: read it as unsigned (or mask with 0xFF) before testing a
// status byte.
struct VstMidiEvent
{
    VstInt32 type; // kVstMidiType
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;      // VstMidiEventFlags
    VstInt32 noteLength; // frames, or 0
    VstInt32 noteOffset; // frames, or 0
    char midiData[4];    // status, data 1, data 2, reserved 0
    char detune;         // -64...+63 cents
    char noteOffVelocity;
    char reserved1;
    char reserved2;
};

struct VstMidiSysexEvent
{
    VstInt32 type; // kVstSysExType
    VstInt32 byteSize;
    VstInt32 deltaFrames;
    VstInt32 flags;
    VstInt32 dumpBytes;
    VstIntPtr resvd1;
    char* sysexDump;
    VstIntPtr resvd2;
};

// ---------------------------------------------------------------------------
// Transport (audioMasterGetTime); owned by the host
// ---------------------------------------------------------------------------

enum VstTimeInfoFlags : VstInt32
{
    kVstTransportChanged = 1 << 0,
    kVstTransportPlaying = 1 << 1,
    kVstTransportCycleActive = 1 << 2,
    kVstTransportRecording = 1 << 3,
    kVstAutomationWriting = 1 << 6,
    kVstAutomationReading = 1 << 7,
    kVstNanosValid = 1 << 8,
    kVstPpqPosValid = 1 << 9,
    kVstTempoValid = 1 << 10,
    kVstBarsValid = 1 << 11,
    kVstCyclePosValid = 1 << 12,
    kVstTimeSigValid = 1 << 13,
    kVstSmpteValid = 1 << 14,
    kVstClockValid = 1 << 15,
};

enum VstSmpteFrameRate : VstInt32
{
    kVstSmpte24fps = 0,
    kVstSmpte25fps = 1,
    kVstSmpte2997fps = 2,
    kVstSmpte30fps = 3,
    kVstSmpte2997dfps = 4,
    kVstSmpte30dfps = 5,
    kVstSmpteFilm16mm = 6,
    kVstSmpteFilm35mm = 7,
    kVstSmpte239fps = 10,
    kVstSmpte249fps = 11,
    kVstSmpte599fps = 12,
    kVstSmpte60fps = 13,
};

struct VstTimeInfo
{
    double samplePos;          // always valid
    double sampleRate;         // always valid
    double nanoSeconds;        // kVstNanosValid
    double ppqPos;             // kVstPpqPosValid, in quarter notes
    double tempo;              // kVstTempoValid, in BPM
    double barStartPos;        // kVstBarsValid, in quarter notes
    double cycleStartPos;      // kVstCyclePosValid
    double cycleEndPos;        // kVstCyclePosValid
    VstInt32 timeSigNumerator; // kVstTimeSigValid
    VstInt32 timeSigDenominator;
    VstInt32 smpteOffset;        // kVstSmpteValid, in 1/80 frames
    VstInt32 smpteFrameRate;     // VstSmpteFrameRate
    VstInt32 samplesToNextClock; // kVstClockValid
    VstInt32 flags;              // VstTimeInfoFlags
};

// ---------------------------------------------------------------------------
// Pins, parameters, speakers, patches
// ---------------------------------------------------------------------------

enum VstPinPropertiesFlags : VstInt32
{
    kVstPinIsActive = 1,
    kVstPinIsStereo = 2,   // the first pin of a stereo pair
    kVstPinUseSpeaker = 4, // arrangementType is valid
};

struct VstPinProperties
{
    char label[kVstMaxLabelLen];
    VstInt32 flags;           // VstPinPropertiesFlags
    VstInt32 arrangementType; // VstSpeakerArrangementType
    char shortLabel[kVstMaxShortLabelLen];
    char future[48];
};

enum VstParameterFlags : VstInt32
{
    kVstParameterIsSwitch = 1 << 0,
    kVstParameterUsesIntegerMinMax = 1 << 1,
    kVstParameterUsesFloatStep = 1 << 2,
    kVstParameterUsesIntStep = 1 << 3,
    kVstParameterSupportsDisplayIndex = 1 << 4,
    kVstParameterSupportsDisplayCategory = 1 << 5,
    kVstParameterCanRamp = 1 << 6,
};

struct VstParameterProperties
{
    float stepFloat;
    float smallStepFloat;
    float largeStepFloat;
    char label[kVstMaxLabelLen];
    VstInt32 flags; // VstParameterFlags
    VstInt32 minInteger;
    VstInt32 maxInteger;
    VstInt32 stepInteger;
    VstInt32 largeStepInteger;
    char shortLabel[kVstMaxShortLabelLen];
    VstInt16 displayIndex;
    VstInt16 category;
    VstInt16 numParametersInCategory;
    VstInt16 reserved;
    char categoryLabel[kVstMaxCategLabelLen];
    char future[16];
};

enum VstSpeakerArrangementType : VstInt32
{
    kSpeakerArrUserDefined = -2,
    kSpeakerArrEmpty = -1,
    kSpeakerArrMono = 0,
    kSpeakerArrStereo = 1,
    kSpeakerArr50 = 14,
    kSpeakerArr51 = 15,
    kSpeakerArr102 = 28,
};

enum VstSpeakerType : VstInt32
{
    kSpeakerM = 0,
    kSpeakerL = 1,
    kSpeakerR = 2,
    kSpeakerC = 3,
    kSpeakerLfe = 4,
    kSpeakerLs = 5,
    kSpeakerRs = 6,
    kSpeakerLfe2 = 19,
    kSpeakerUndefined = 0x7FFFFFFF,
};

struct VstSpeakerProperties
{
    float azimuth;
    float elevation;
    float radius;
    float reserved;
    char name[kVstMaxNameLen];
    VstInt32 type; // VstSpeakerType
    char future[28];
};

// Declared with eight speakers; hosts may allocate numChannels of them.
struct VstSpeakerArrangement
{
    VstInt32 type; // VstSpeakerArrangementType
    VstInt32 numChannels;
    VstSpeakerProperties speakers[8];
};

struct VstPatchChunkInfo
{
    VstInt32 version;
    VstInt32 pluginUniqueID;
    VstInt32 pluginVersion;
    VstInt32 numElements;
    char future[48];
};

// Structures only ever passed through by pointer; their layout is not used here.
struct VstAudioFile;
struct VstOfflineTask;
struct VstVariableIo;
struct VstFileSelect;
struct VstWindow;
struct MidiProgramName;
struct MidiProgramCategory;
struct MidiKeyName;

// ---------------------------------------------------------------------------
// Editor geometry and keys
// ---------------------------------------------------------------------------

// Editor rectangle; note the order top, left, bottom, right.
// Width = right - left, height = bottom - top.
struct ERect
{
    VstInt16 top;
    VstInt16 left;
    VstInt16 bottom;
    VstInt16 right;
};

// Key event of effEditKeyDown / effEditKeyUp.
struct VstKeyCode
{
    VstInt32 character;     // ASCII
    unsigned char virt;     // VstVirtualKey
    unsigned char modifier; // VstModifierKey bits
};

enum VstVirtualKey : unsigned char
{
    VKEY_BACK = 1,
    VKEY_TAB,
    VKEY_CLEAR,
    VKEY_RETURN,
    VKEY_PAUSE,
    VKEY_ESCAPE,
    VKEY_SPACE,
    VKEY_NEXT,
    VKEY_END,
    VKEY_HOME,
    VKEY_LEFT,
    VKEY_UP,
    VKEY_RIGHT,
    VKEY_DOWN,
    VKEY_PAGEUP,
    VKEY_PAGEDOWN,
    VKEY_SELECT,
    VKEY_PRINT,
    VKEY_ENTER,
    VKEY_SNAPSHOT,
    VKEY_INSERT,
    VKEY_DELETE,
    VKEY_HELP,
    VKEY_NUMPAD0,
    VKEY_NUMPAD1,
    VKEY_NUMPAD2,
    VKEY_NUMPAD3,
    VKEY_NUMPAD4,
    VKEY_NUMPAD5,
    VKEY_NUMPAD6,
    VKEY_NUMPAD7,
    VKEY_NUMPAD8,
    VKEY_NUMPAD9,
    VKEY_MULTIPLY,
    VKEY_ADD,
    VKEY_SEPARATOR,
    VKEY_SUBTRACT,
    VKEY_DECIMAL,
    VKEY_DIVIDE,
    VKEY_F1,
    VKEY_F2,
    VKEY_F3,
    VKEY_F4,
    VKEY_F5,
    VKEY_F6,
    VKEY_F7,
    VKEY_F8,
    VKEY_F9,
    VKEY_F10,
    VKEY_F11,
    VKEY_F12,
    VKEY_NUMLOCK,
    VKEY_SCROLL,
    VKEY_SHIFT,
    VKEY_CONTROL,
    VKEY_ALT,
    VKEY_EQUALS,
};

enum VstModifierKey : unsigned char
{
    MODIFIER_SHIFT = 1 << 0,
    MODIFIER_ALTERNATE = 1 << 1, // Alt
    MODIFIER_COMMAND = 1 << 2,   // Control on Mac
    MODIFIER_CONTROL = 1 << 3,   // Ctrl on PC
};

// ---------------------------------------------------------------------------
// Layout checks: these sizes and offsets are what hosts compiled elsewhere
// read. ptrSized(x64, x86) picks the value for the current pointer size.
// ---------------------------------------------------------------------------

namespace AbiCheck
{
constexpr std::size_t ptrSized(std::size_t wide, std::size_t narrow)
{
    return sizeof(void*) == 8 ? wide : narrow;
}
static_assert(sizeof(void*) == 8 || sizeof(void*) == 4, "only 32- and 64-bit targets are supported");
static_assert(sizeof(VstIntPtr) == sizeof(void*));
static_assert(kEffectMagic == 0x56737450 && kEffectIdentify == 0x4E764566 && kDefaultUniqueId == 0x4E6F4566);
static_assert(fourCharCode("Tam2") == 1415671090);

static_assert(offsetof(AEffect, magic) == 0);
static_assert(offsetof(AEffect, dispatcher) == ptrSized(8, 4));
static_assert(offsetof(AEffect, process) == ptrSized(16, 8));
static_assert(offsetof(AEffect, setParameter) == ptrSized(24, 12));
static_assert(offsetof(AEffect, getParameter) == ptrSized(32, 16));
static_assert(offsetof(AEffect, numPrograms) == ptrSized(40, 20));
static_assert(offsetof(AEffect, numParams) == ptrSized(44, 24));
static_assert(offsetof(AEffect, numInputs) == ptrSized(48, 28));
static_assert(offsetof(AEffect, numOutputs) == ptrSized(52, 32));
static_assert(offsetof(AEffect, flags) == ptrSized(56, 36));
static_assert(offsetof(AEffect, resvd1) == ptrSized(64, 40));
static_assert(offsetof(AEffect, resvd2) == ptrSized(72, 44));
static_assert(offsetof(AEffect, initialDelay) == ptrSized(80, 48));
static_assert(offsetof(AEffect, realQualities) == ptrSized(84, 52));
static_assert(offsetof(AEffect, offQualities) == ptrSized(88, 56));
static_assert(offsetof(AEffect, ioRatio) == ptrSized(92, 60));
static_assert(offsetof(AEffect, object) == ptrSized(96, 64));
static_assert(offsetof(AEffect, user) == ptrSized(104, 68));
static_assert(offsetof(AEffect, uniqueID) == ptrSized(112, 72));
static_assert(offsetof(AEffect, version) == ptrSized(116, 76));
static_assert(offsetof(AEffect, processReplacing) == ptrSized(120, 80));
static_assert(offsetof(AEffect, processDoubleReplacing) == ptrSized(128, 84));
static_assert(offsetof(AEffect, future) == ptrSized(136, 88));
static_assert(sizeof(AEffect) == ptrSized(192, 144));

static_assert(offsetof(VstEvents, reserved) == ptrSized(8, 4));
static_assert(offsetof(VstEvents, events) == ptrSized(16, 8));
static_assert(sizeof(VstEvents) == ptrSized(32, 16));
static_assert(sizeof(VstEvent) == 32 && offsetof(VstEvent, data) == 16);
static_assert(sizeof(VstMidiEvent) == 32);
static_assert(offsetof(VstMidiEvent, noteLength) == 16 && offsetof(VstMidiEvent, noteOffset) == 20);
static_assert(offsetof(VstMidiEvent, midiData) == 24 && offsetof(VstMidiEvent, detune) == 28);
static_assert(offsetof(VstMidiEvent, noteOffVelocity) == 29 && offsetof(VstMidiEvent, reserved2) == 31);
static_assert(offsetof(VstMidiSysexEvent, dumpBytes) == 16);
static_assert(offsetof(VstMidiSysexEvent, resvd1) == ptrSized(24, 20));
static_assert(offsetof(VstMidiSysexEvent, sysexDump) == ptrSized(32, 24));
static_assert(offsetof(VstMidiSysexEvent, resvd2) == ptrSized(40, 28));
static_assert(sizeof(VstMidiSysexEvent) == ptrSized(48, 32));

static_assert(sizeof(VstTimeInfo) == 88);
static_assert(offsetof(VstTimeInfo, tempo) == 32 && offsetof(VstTimeInfo, cycleEndPos) == 56);
static_assert(offsetof(VstTimeInfo, timeSigNumerator) == 64 &&
              offsetof(VstTimeInfo, timeSigDenominator) == 68);
static_assert(offsetof(VstTimeInfo, smpteOffset) == 72 && offsetof(VstTimeInfo, samplesToNextClock) == 80);
static_assert(offsetof(VstTimeInfo, flags) == 84);

static_assert(sizeof(VstPinProperties) == 128);
static_assert(offsetof(VstPinProperties, flags) == 64 && offsetof(VstPinProperties, arrangementType) == 68);
static_assert(offsetof(VstPinProperties, shortLabel) == 72 && offsetof(VstPinProperties, future) == 80);

static_assert(sizeof(VstParameterProperties) == 152);
static_assert(offsetof(VstParameterProperties, label) == 12 && offsetof(VstParameterProperties, flags) == 76);
static_assert(offsetof(VstParameterProperties, shortLabel) == 96);
static_assert(offsetof(VstParameterProperties, displayIndex) == 104);
static_assert(offsetof(VstParameterProperties, categoryLabel) == 112);
static_assert(offsetof(VstParameterProperties, future) == 136);

static_assert(sizeof(VstSpeakerProperties) == 112);
static_assert(offsetof(VstSpeakerProperties, name) == 16 && offsetof(VstSpeakerProperties, type) == 80);
static_assert(offsetof(VstSpeakerArrangement, speakers) == 8 && sizeof(VstSpeakerArrangement) == 904);
static_assert(sizeof(VstPatchChunkInfo) == 64);

static_assert(sizeof(ERect) == 8 && offsetof(ERect, left) == 2 && offsetof(ERect, bottom) == 4);
static_assert(sizeof(VstKeyCode) == 8 && offsetof(VstKeyCode, virt) == 4 &&
              offsetof(VstKeyCode, modifier) == 5);

static_assert(VKEY_NUMPAD0 == 24 && VKEY_MULTIPLY == 34 && VKEY_F1 == 40 && VKEY_F12 == 51 &&
              VKEY_EQUALS == 57);
static_assert((effFlagsHasEditor | effFlagsCanReplacing) == 0x11 && effFlagsCanDoubleReplacing == 0x1000);
} // namespace AbiCheck

} // namespace Vantor::Vst
