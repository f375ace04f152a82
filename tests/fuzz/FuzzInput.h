#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <span>
#include <string>

// Reads a fuzzer's bytes as a stream of small values; past the end every read yields zeros.
class TFuzzInput {
public:
    TFuzzInput(const std::uint8_t* data, std::size_t size)
        : m_bytes(data, size) {}

    bool AtEnd() const { return m_position >= m_bytes.size(); }

    std::uint8_t Byte() { return AtEnd() ? 0 : m_bytes[m_position++]; }

    template <typename T> T Value() {
        T value{};
        std::uint8_t raw[sizeof(T)] = {};
        for (std::uint8_t& byte : raw) {
            byte = Byte();
        }
        std::memcpy(&value, raw, sizeof(T));
        return value;
    }

    // A text of up to maxLength bytes, its length taken from the stream first.
    std::string Text(std::size_t maxLength) {
        const std::size_t length = Byte() % (maxLength + 1);
        std::string text;
        for (std::size_t i = 0; i < length && !AtEnd(); ++i) {
            text.push_back(static_cast<char>(Byte()));
        }
        return text;
    }

    std::span<const std::uint8_t> Bytes(std::size_t count) {
        const std::size_t available = AtEnd() ? 0 : m_bytes.size() - m_position;
        const std::size_t taken = count < available ? count : available;
        const std::span<const std::uint8_t> bytes = m_bytes.subspan(m_position, taken);
        m_position += taken;
        return bytes;
    }

private:
    std::span<const std::uint8_t> m_bytes;
    std::size_t m_position = 0;
};

// A broken invariant is a crash the fuzzer keeps as an artifact.
#define FUZZ_CHECK(condition)                                                                      \
    do {                                                                                           \
        if (!(condition)) {                                                                        \
            std::fprintf(stderr, "%s:%d: check failed: %s\n", __FILE__, __LINE__, #condition);     \
            std::abort();                                                                          \
        }                                                                                          \
    } while (false)
