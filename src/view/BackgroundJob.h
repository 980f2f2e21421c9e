#pragma once

namespace stonewise {

// Work the main board window's tick runs once a second: the cloud-folder check, the external
// folder synchronisation, the loading of the sample records after a first start. The job keeps its
// own counters and decides itself whether it is due.
class BackgroundJob {
public:
    virtual ~BackgroundJob() = default;

    // One second has passed on the board tick.
    virtual void everySecond() = 0;
};

} // namespace stonewise
