// The one error type that crosses the engine boundary: a DAO-style number and a German
// description that names the object or path concerned. what() reads "number: description".
#pragma once

#include <stdexcept>
#include <string>

namespace glossel {

// Error numbers as DAO and the VB runtime report them.
namespace err {
inline constexpr int kInvalidArgument = 5;          // invalid procedure call or argument
inline constexpr int kTypeMismatch = 13;            // type mismatch
inline constexpr int kCannotOpen = 3051;            // file cannot be opened (no rights, locked)
inline constexpr int kObjectNotFound = 3011;        // object not found in the database
inline constexpr int kReadOnly = 3027;              // database or object is read-only
inline constexpr int kFileNotFound = 3024;          // database file not found
inline constexpr int kNoCurrentRecord = 3021;       // no current record
inline constexpr int kDiskIo = 3043;                // disk or network error
inline constexpr int kFileInUse = 3045;             // file already in use
inline constexpr int kDataChanged = 3197;           // data changed by another user meanwhile
inline constexpr int kRecordTooLarge = 3047;        // record is too large
inline constexpr int kDamaged = 3049;               // database is damaged
inline constexpr int kPassword = 3031;              // not a valid password
inline constexpr int kInputTableNotFound = 3078;    // input table or query not found
inline constexpr int kInvalidOperation = 3219;      // invalid operation
inline constexpr int kFieldTooSmall = 3163;         // field too small for the data
inline constexpr int kUpdateWithoutEdit = 3020;     // Update without AddNew or Edit
inline constexpr int kFieldRequired = 3314;         // field cannot hold null (Required)
inline constexpr int kZeroLengthNotAllowed = 3315;  // field cannot be a zero-length string
inline constexpr int kNumericOverflow = 3349;       // numeric field overflow
inline constexpr int kConversion = 3421;            // data type conversion error
inline constexpr int kItemNotFound = 3265;          // item not found in this collection
inline constexpr int kObjectClosed = 3420;          // object invalid or no longer set
inline constexpr int kUnrecognisedFormat = 3343;    // unrecognised database format
inline constexpr int kSpreadsheetFull = 3437;       // spreadsheet is full (rows or columns)
inline constexpr int kNoFieldsDefined = 3264;       // no field defined: nothing to link or append
}  // namespace err

class Error : public std::runtime_error {
public:
    Error(int number, std::string description);

    int number() const { return number_; }
    const std::string& description() const { return description_; }

private:
    int number_;
    std::string description_;
};

}  // namespace glossel
