#pragma once

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace bramble {

// How much a message matters to the operator. An error means the operation
// did not do what was asked; warnings and information accompany a success.
enum class Severity { information, warning, error };

struct Message {
    Severity severity = Severity::information;
    std::string text;  // one or more sentences, ready to show

    friend bool operator==(const Message&, const Message&) = default;
};

// What an operation of the core has to say: its messages, in the order they
// arose. Every operation of the core's public interface reports through
// this (or Result<T>, which adds a value); none throws.
class Outcome {
public:
    Outcome() = default;
    static Outcome Error(std::string text)
    {
        Outcome outcome;
        outcome.AddError(std::move(text));
        return outcome;
    }

    void AddInformation(std::string text) { m_messages.push_back({Severity::information, std::move(text)}); }
    void AddWarning(std::string text) { m_messages.push_back({Severity::warning, std::move(text)}); }
    void AddError(std::string text) { m_messages.push_back({Severity::error, std::move(text)}); }
    void Add(Message message) { m_messages.push_back(std::move(message)); }
    // Takes over the messages of a step of this operation.
    void Append(const Outcome& step)
    {
        m_messages.insert(m_messages.end(), step.m_messages.begin(), step.m_messages.end());
    }

    bool Failed() const { return Has(Severity::error); }
    bool Succeeded() const { return !Failed(); }
    bool Has(Severity severity) const
    {
        for (const Message& message : m_messages)
            if (message.severity == severity)
                return true;
        return false;
    }
    const std::vector<Message>& Messages() const { return m_messages; }
    // The texts of one severity, in order.
    std::vector<std::string> Texts(Severity severity) const
    {
        std::vector<std::string> texts;
        for (const Message& message : m_messages)
            if (message.severity == severity)
                texts.push_back(message.text);
        return texts;
    }

    // The errors as one text, a line each (empty when it succeeded).
    std::string ErrorText() const
    {
        std::string text;
        for (const std::string& error : Texts(Severity::error))
            text += (text.empty() ? "" : "\n") + error;
        return text;
    }

private:
    std::vector<Message> m_messages;
};

// An outcome that carries a value when the operation produced one.
template <class T>
class Result : public Outcome {
public:
    Result() = default;
    Result(Outcome outcome) : Outcome(std::move(outcome)) { }  // NOLINT: an outcome without a value converts
    static Result Of(T value, Outcome outcome = {})
    {
        Result result(std::move(outcome));
        result.m_value = std::move(value);
        return result;
    }

    bool HasValue() const { return m_value.has_value(); }
    const T& Value() const { return *m_value; }
    T& Value() { return *m_value; }
    const std::optional<T>& Optional() const { return m_value; }
    void SetValue(T value) { m_value = std::move(value); }

private:
    std::optional<T> m_value;
};

}  // namespace bramble
