#pragma once

// The JSON values of the project file, with the checks of a hand-edited
// file: each getter names where in the file a value of the wrong kind is.
// Used only inside the core's project code (nlohmann-json stays private to
// the core library).

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <string>

#include "survey/DateTime.h"

namespace bramble::project_json {

using json = nlohmann::ordered_json;

// What makes a project file unusable; caught where the file is read and
// turned into the operator's message.
struct FormatError {
    std::string text;
};

[[noreturn]] inline void Fail(const std::string& where, const std::string& why) { throw FormatError{where + " " + why}; }

inline const json& Member(const json& object, const char* key, const std::string& where)
{
    if (!object.is_object())
        Fail(where, "should be a JSON object");
    const auto it = object.find(key);
    if (it == object.end())
        Fail(where, "has no \"" + std::string(key) + "\"");
    return *it;
}

inline std::string Path(const std::string& where, const char* key) { return where + "." + key; }

inline const json& Array(const json& value, const std::string& where)
{
    if (!value.is_array())
        Fail(where, "should be an array");
    return value;
}

inline const json& SizedArray(const json& value, std::size_t size, const std::string& where)
{
    if (Array(value, where).size() != size)
        Fail(where, "should hold " + std::to_string(size) + " values, not " + std::to_string(value.size()));
    return value;
}

// Numbers that JSON has no word for are written as the texts "nan", "inf"
// and "-inf", so that every value comes back bit for bit.
inline json NumberValue(double value)
{
    if (value != value)
        return "nan";
    if (value == std::numeric_limits<double>::infinity())
        return "inf";
    if (value == -std::numeric_limits<double>::infinity())
        return "-inf";
    return value;
}

inline double Number(const json& value, const std::string& where)
{
    if (value.is_number())
        return value.get<double>();
    if (value.is_string()) {
        const std::string& text = value.get_ref<const std::string&>();
        if (text == "nan")
            return std::numeric_limits<double>::quiet_NaN();
        if (text == "inf")
            return std::numeric_limits<double>::infinity();
        if (text == "-inf")
            return -std::numeric_limits<double>::infinity();
    }
    Fail(where, "should be a number");
}

inline double FiniteNumber(const json& value, const std::string& where)
{
    const double number = Number(value, where);
    if (!std::isfinite(number))
        Fail(where, "should be a finite number");
    return number;
}

inline long long Integer(const json& value, const std::string& where, long long low, long long high)
{
    long long number = 0;
    if (value.is_number_unsigned()) {
        const auto u = value.get<unsigned long long>();
        if (u > static_cast<unsigned long long>(high))
            Fail(where, "should be a whole number from " + std::to_string(low) + " to " + std::to_string(high));
        number = static_cast<long long>(u);
    } else if (value.is_number_integer()) {
        number = value.get<long long>();
    } else {
        Fail(where, "should be a whole number");
    }
    if (number < low || number > high)
        Fail(where, "should be a whole number from " + std::to_string(low) + " to " + std::to_string(high));
    return number;
}

inline int Int(const json& value, const std::string& where, int low = std::numeric_limits<int>::min(),
               int high = std::numeric_limits<int>::max())
{
    return static_cast<int>(Integer(value, where, low, high));
}

inline bool Bool(const json& value, const std::string& where)
{
    if (!value.is_boolean())
        Fail(where, "should be true or false");
    return value.get<bool>();
}

inline std::string Text(const json& value, const std::string& where)
{
    if (!value.is_string())
        Fail(where, "should be a text");
    return value.get<std::string>();
}

// A valid time is its day number; an invalid one that its number does not
// already make invalid is null.
inline json TimeValue(const DateTime& time)
{
    if (!time.isValid() && DateTime(time.value()).isValid())
        return nullptr;
    return NumberValue(time.value());
}

inline DateTime Time(const json& value, const std::string& where)
{
    if (value.is_null())
        return DateTime::invalid();
    return DateTime(Number(value, where));
}

// The same for element i of an array, the place named only when it is
// wrong, so that a hundred thousand values are read without making a
// hundred thousand names.
inline std::string Element(const std::string& where, std::size_t i) { return where + "[" + std::to_string(i) + "]"; }

inline double NumberAt(const json& array, std::size_t i, const std::string& where)
{
    const json& value = array[i];
    return value.is_number() ? value.get<double>() : Number(value, Element(where, i));
}

inline long long IntegerAt(const json& array, std::size_t i, const std::string& where, long long low, long long high)
{
    const json& value = array[i];
    if (value.is_number_integer() && !value.is_number_unsigned()) {
        const long long number = value.get<long long>();
        if (number >= low && number <= high)
            return number;
    } else if (value.is_number_unsigned() && low <= 0) {
        const auto number = value.get<unsigned long long>();
        if (number <= static_cast<unsigned long long>(high))
            return static_cast<long long>(number);
    }
    return Integer(value, Element(where, i), low, high);
}

inline bool BoolAt(const json& array, std::size_t i, const std::string& where)
{
    const json& value = array[i];
    return value.is_boolean() ? value.get<bool>() : Bool(value, Element(where, i));
}

}  // namespace bramble::project_json
