#pragma once
// The standard texts of file failures, shared by every command that reads or writes a file:
// "Cannot open file "%s". %s" and "Cannot create file "%s". %s" with the path (as program text,
// Windows-1251) and the system's reason. Covered by tests/app/FileIoTest.cpp.

#include <filesystem>
#include <string>

namespace morvane::app {

// Why a file was left unchanged, for the callers that report each kind in its own way.
enum class FileFailure {
    Error, // the system refused a step (the message gives its reason)
    Busy, // another run of the program holds the file's directory
    ReadOnly, // the file may not be written
    LineBreakInName, // a backup copy was due, but the name cannot be listed in ".hidden"
    HiddenListLink, // a backup copy was due, but the directory's ".hidden" is a symbolic link
};

// A failed file operation: `message` is the complete text for the error box.
struct FileError {
    std::string message;
    FileFailure kind = FileFailure::Error;
};

// The path as program text (Windows-1251), for messages and templates.
std::string PathText(const std::filesystem::path& path);

// The system's reason for errno value `err`, as program text.
std::string SystemReason(int err);

std::string CannotOpenText(const std::filesystem::path& path, int err);
std::string CannotCreateText(const std::filesystem::path& path, int err);

} // namespace morvane::app
