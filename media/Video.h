// The recording file (".str"): the broadcast's video and sound payloads in the
// order they were produced, each behind a 4-byte record header.
#pragma once
#include "Handles.h"
#include "MultiThreadClass.h"
#include <cstdint>
#include <string>

// Record header, little-endian: bits 0-15 payload length, 16-23 flag, 24-31 kind.
// Kinds are the server's stream kinds, so a record can be sent on unchanged.
const int32_t kRecordVideo = 1;
const int32_t kRecordAudio = 3;
const int32_t kRecordMaxPayload = 65535;

// One recording, open for writing (created or emptied) or for reading in an
// endless loop. A file that cannot be opened leaves an object that does nothing.
// Writes and reads hold the lock, so two threads may write records at once.
class CVideo : public CMultiThreadClass {
public:
    CVideo(const std::string& fileName, bool write);
    ~CVideo() override;
    CVideo(const CVideo&) = delete;
    CVideo& operator=(const CVideo&) = delete;

    bool IsOpen() const { return static_cast<bool>(FFile); }

    // Appends one record. A payload longer than 65535 bytes, which the 16-bit
    // length cannot describe, and a kind other than video or sound, are not
    // written (false); false also when the file refuses the bytes.
    bool Write(int32_t length, const void* payload, int32_t kind, uint8_t flag);

    // Reads the next record; at the end of the file it starts again at the
    // beginning. The caller owns the payload (a malloc block, freed with free).
    // flag is bit 16 of the header alone. Returns false and leaves the outputs
    // unchanged when no whole record is found even after going back to the
    // start: a record cut short by the end of the file, or one of an unknown
    // kind, counts as the end of the recording.
    bool Read(int32_t& length, void*& payload, int32_t& kind, uint8_t& flag);

private:
    bool ReadRecord(int32_t& length, void*& payload, int32_t& kind, uint8_t& flag);
    // The file through Win32: the C runtime of winelib is the host's, whose
    // fopen does not understand the Windows paths that the dialogs return.
    TKernelHandle FFile;
};
