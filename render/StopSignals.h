#pragma once
// How trendola-render learns that it should stop: SIGINT, SIGTERM or SIGHUP.
// The first one asks for a clean stop (the run ends where it is, the picture
// is written whole and the summary printed); a second one ends the process at
// once, removing any temporary picture file and the private runtime folder.

#include <string>

// A stop request, and the wait between two ticks of following.
class StopRequest {
public:
    virtual ~StopRequest() = default;
    // The signal that asked for the stop; 0 while nothing did.
    virtual int signal() const = 0;
    bool requested() const { return signal() != 0; }
    // Waits up to `ms` milliseconds; returns early, true, once a stop is asked.
    virtual bool waitFor(int ms) = 0;
};

// Nothing ever asks: the wait just sleeps.
class NoStopRequest : public StopRequest {
public:
    int signal() const override { return 0; }
    bool waitFor(int ms) override;
};

// The process's termination signals. Installed once, for the process's life.
class SignalStopRequest : public StopRequest {
public:
    // Installs the handlers; false (with errno set) when they cannot be.
    static SignalStopRequest* install();

    int signal() const override;
    bool waitFor(int ms) override;

    // A folder the immediate end removes too (it must be empty by then).
    static void removeFolderOnImmediateEnd(const std::string& folder);

private:
    SignalStopRequest() = default;
};
