#pragma once
#include <sigc++/sigc++.h>
#include <utility>
#include <vector>

namespace corvina {

// Disconnects on destruction, so a lambda capturing `this` never outlives its owner.
class ScopedConnection {
public:
    ScopedConnection() = default;
    ScopedConnection(sigc::connection c) : connection_(std::move(c)) {}
    ScopedConnection(ScopedConnection&& other) noexcept : connection_(std::exchange(other.connection_, {})) {}
    ScopedConnection& operator=(ScopedConnection&& other) noexcept {
        if (this != &other) {
            connection_.disconnect();
            connection_ = std::exchange(other.connection_, {});
        }
        return *this;
    }
    ScopedConnection(const ScopedConnection&) = delete;
    ScopedConnection& operator=(const ScopedConnection&) = delete;
    ~ScopedConnection() { connection_.disconnect(); }

    void disconnect() { connection_.disconnect(); }
    bool connected() const { return connection_.connected(); }
    void block() { connection_.block(); }
    void unblock() { connection_.unblock(); }

private:
    sigc::connection connection_;
};

// Holds a connection blocked for one scope: a view that updates a control it observes
// does not hear its own change.
template <class Connection>
class ScopedBlock {
public:
    explicit ScopedBlock(Connection& connection) : connection_(connection) { connection_.block(); }
    ~ScopedBlock() { connection_.unblock(); }
    ScopedBlock(const ScopedBlock&) = delete;
    ScopedBlock& operator=(const ScopedBlock&) = delete;

private:
    Connection& connection_;
};

// A set of connections that all end with their owner.
class Connections {
public:
    void add(sigc::connection c) { list_.emplace_back(std::move(c)); }
    Connections& operator+=(sigc::connection c) { add(std::move(c)); return *this; }
    void clear() { list_.clear(); }

private:
    std::vector<ScopedConnection> list_;
};

// A published value: every write (also of the same value) fires `changed` afterwards.
template <class T>
class Published {
public:
    explicit Published(T initial = T{}) : value_(std::move(initial)) {}

    const T& get() const { return value_; }
    operator const T&() const { return value_; }

    void set(T value) {
        value_ = std::move(value);
        changed_.emit();
    }

    sigc::connection observe(sigc::slot<void()> slot) const { return changed_.connect(std::move(slot)); }

private:
    T value_;
    mutable sigc::signal<void()> changed_;
};

}  // namespace corvina
