#pragma once

#include <string>

// Base of the fatal conditions that travel from where they are found to the
// entry function, which shows a message box and exits with the code.
class OException {
public:
    OException(int code, std::string message) : code(code), message(std::move(message)) {}

    int GetCode() const { return code; }
    void SetCode(int newCode) { code = newCode; }
    const std::string& GetMessage() const { return message; }

private:
    int code;
    std::string message;
};
