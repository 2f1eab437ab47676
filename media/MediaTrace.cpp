#include "MediaTrace.h"
#include "Trace.h"
#include "VideoCapture.h"
#include <exception>
#include <string>

void TraceCaught(const char* Where) noexcept
{
    try {
        try {
            throw;
        } catch (const EVideoCaptureError& e) {
            Trace::Failure(Trace::Media, std::string(Where) + ": " + e.what(), e.Code());
        } catch (...) {
            Trace::Caught(Trace::Media, Where);
        }
    } catch (...) {
        // No memory even for the line: nothing more can be said.
    }
}
