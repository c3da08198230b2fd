#pragma once
// The exception tree shared by all subsystems, with printf-style message formatting.
#include <cstdint>
#include <exception>
#include <initializer_list>
#include <string>
#include <variant>

namespace ui {

// One argument of Format: integers, floating point or text.
struct FmtArg {
    std::variant<int64_t, uint64_t, double, std::u16string> v;
    FmtArg(int x) : v(int64_t(x)) {}
    FmtArg(long x) : v(int64_t(x)) {}
    FmtArg(long long x) : v(int64_t(x)) {}
    FmtArg(unsigned x) : v(uint64_t(x)) {}
    FmtArg(unsigned long x) : v(uint64_t(x)) {}
    FmtArg(unsigned long long x) : v(uint64_t(x)) {}
    FmtArg(double x) : v(x) {}
    FmtArg(std::u16string x) : v(std::move(x)) {}
    FmtArg(const char16_t* x) : v(std::u16string(x)) {}
};

// printf-style: %s %d %u %x %X %e %f %g %%, with flags '-' '0', width and precision
// ("%.8d" pads to eight digits). A conversion without its argument raises EConvertError.
std::u16string Format(std::u16string_view fmt, std::initializer_list<FmtArg> args);

class Exception : public std::exception {
public:
    explicit Exception(std::u16string message);
    Exception(std::u16string_view fmt, std::initializer_list<FmtArg> args)
        : Exception(Format(fmt, args)) {}
    const std::u16string& Message() const { return FMessage; }
    void SetMessage(std::u16string m);
    const char* what() const noexcept override { return FUtf8.c_str(); }

private:
    std::u16string FMessage;
    std::string FUtf8;
};

#define TOVRA_EXCEPTION(Name, Base)     \
    class Name : public Base {          \
    public:                             \
        using Base::Base;               \
    };

TOVRA_EXCEPTION(EConvertError, Exception)
TOVRA_EXCEPTION(EIniFileException, Exception)
TOVRA_EXCEPTION(EDKLangError, Exception)
TOVRA_EXCEPTION(EReadError, Exception)        // a stream or form description ends early or is bad
TOVRA_EXCEPTION(EListError, Exception)        // index out of range
TOVRA_EXCEPTION(EInvalidOperation, Exception)

}  // namespace ui
