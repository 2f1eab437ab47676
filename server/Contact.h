// One visitor, keyed by IP address, and the contacts file "contacts.tbl".
#pragma once
#include "MultiThreadList.h"
#include "Streams.h"
#include <cstdint>
#include <memory>
#include <string>

// The text a new address starts with, and the form of a registration message.
extern const char* const GuestRegistration;

// Drops the bytes that a visitor must not be able to put into a chat line or a
// registration field: control characters (below 0x20) and DEL.
std::string StripControlChars(const std::string& text);

class CContact {
public:
    // Reads one record of the contacts file; EReadError / EConvertError when the record is damaged.
    explicit CContact(TStream* file);
    // A visitor from a registration text (see ParseRegistration) at an address.
    CContact(const std::string& registration, const std::string& ip);
    ~CContact();
    CContact(const CContact&) = delete;
    CContact& operator=(const CContact&) = delete;

    // One record: name, company, e-mail, phone, interest, IP, history, black-list flag text.
    void WriteTo(TStream* file) const;
    void ReadFrom(TStream* file);
    // True while at least one connection thread of this visitor is listed.
    bool IsOnline();
    // Takes name, company, e-mail, phone and interest from a registration text.
    void ParseRegistration(const std::string& registration);

    std::string Name;
    std::string Company;
    std::string Email;
    std::string Phone;
    std::string Interest;
    std::string IP;
    std::string History;
    // In memory only from here on.
    std::string Password;        // the broadcast password as the visitor last typed it
    uint8_t BlackListed = 0;     // saved
    double Balance = 0;          // paid amount left; read and written under the contacts lock
    uint32_t LastCharge = 0;     // tick count at which the visitor's current minute began
    // The visitor's live connection threads: the list is the contact's, the
    // threads in it are not (each thread removes itself when it ends).
    std::unique_ptr<CMultiThreadList> Threads;
    std::string PayUser;
    std::string PayPassword;
    // The visitor's minute runs while any of its streams is live: the number of live
    // streams, and the part of the minute already used when the last one ended.
    int LiveStreams = 0;
    uint32_t PausedElapsed = 0;

    static void WriteString(TStream* file, const std::string& text);
    // EReadError when the length is negative or larger than what the file still holds.
    static std::string ReadString(TStream* file);
};

// contacts.tbl: int32 count, then the records. ReadContactsFile appends to the list
// (under its lock); a missing file is no error. A damaged file keeps the contacts read
// before the damage, is first copied aside (contacts.tbl.damaged, .damaged.1, ...) so
// that no later save can destroy what it still held, and then raises.
void ReadContactsFile(CMultiThreadList* list, const std::string& path);
// Writes the list (under its lock) to a temporary file beside path and replaces path
// with it, so the file is always either the old or the new one. Raises on failure.
void WriteContactsFile(CMultiThreadList* list, const std::string& path);
// contacts.tbl beside the program.
std::string ContactsPath();
// The main window's routines: the same for the program's file, failures written to the error log.
void LoadContacts(CMultiThreadList* list);
void SaveContacts(CMultiThreadList* list);
// Frees every contact of the list (shut-down).
void FreeContacts(CMultiThreadList* list);
