#pragma once

#include <cmath>
#include <stdexcept>
#include <string>
#include <utility>

namespace tes {

// A failure inside a working routine: the number and description that its message shows.
// Routines throw it from deep inside and catch it at their own boundary, where they report it
// in their fixed message form and return.
class Failure : public std::runtime_error {
public:
    Failure(int number, const std::string& description) : std::runtime_error(description), m_number(number) {}

    int number() const { return m_number; }
    std::string description() const { return what(); }
    // The description inside a sentence: "permission denied".
    std::string reason() const;
    // Whether it is a failure of a file: not found, no access, a full disk.
    bool isFileFailure() const;
    // The file being written when it failed, when it is known: the message names it.
    const std::string& file() const { return m_file; }
    Failure inFile(std::string file) const {
        Failure met = *this;
        met.m_file = std::move(file);
        return met;
    }

private:
    int m_number;
    std::string m_file;
};

// The failures the program raises itself, numbered as the classic runtime numbers them.
namespace failures {
inline Failure overflow() {
    return Failure(6, "Overflow");
}
inline Failure outOfMemory() {
    return Failure(7, "Out of memory");
}
inline Failure divisionByZero() {
    return Failure(11, "Division by zero");
}
inline Failure fileNotFound() {
    return Failure(53, "File not found");
}
inline Failure deviceIoError() {
    return Failure(57, "Device I/O error");
}
inline Failure diskFull() {
    return Failure(61, "Disk full");
}
inline Failure permissionDenied() {
    return Failure(70, "Permission denied");
}
inline Failure pathFileAccessError() {
    return Failure(75, "Path/File access error");
}
inline Failure pathNotFound() {
    return Failure(76, "Path not found");
}
inline Failure cancelled() {
    return Failure(18, "User interrupt occurred");
}
// Maps an errno value of a failed file operation to the failure the user is shown.
Failure fromErrno(int errorNumber);
} // namespace failures

// A long piece of work that the user stopped ends with failures::cancelled(); whoever started the
// work puts back what it had changed instead of reporting anything.
inline bool IsCancellation(const Failure& failure) {
    return failure.number() == failures::cancelled().number();
}

// Arithmetic helpers: a 64-bit float does not trap, so overflow and division by zero are checked here.
double checkedDivide(double numerator, double denominator);
[[noreturn]] void throwOverflow();
// Inline: the script writer checks six numbers for every object it places.
inline double checkedFinite(double value) {
    if (!std::isfinite(value)) [[unlikely]]
        throwOverflow();
    return value;
}

} // namespace tes
