#pragma once
// What a polled source is asked and how its answers are read, for RigLink: rigctld's "f" line
// or flrig's XML-RPC call. The link asks one question at a time.

#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "bands/rig_answer.h"
#include "bands/source_kind.h"

namespace torvik::bands {

class PollProtocol {
public:
    virtual ~PollProtocol() = default;
    // The bytes of the next question.
    virtual std::string Question() const = 0;
    // Appends every answer completed by bytes.
    virtual void Feed(std::string_view bytes, std::vector<RigAnswer>& answers) = 0;
    // A new connection starts clean.
    virtual void Reset() = 0;
    // The stream can no longer be read in step with the questions: reconnect.
    virtual bool Lost() const { return false; }
};

// rigctld's protocol: "f\n", one line per answer.
class RigctldProtocol final : public PollProtocol {
public:
    std::string Question() const override { return "f\n"; }
    void Feed(std::string_view bytes, std::vector<RigAnswer>& answers) override {
        reader_.Feed(bytes, answers);
    }
    void Reset() override { reader_.Reset(); }

private:
    RigAnswerReader reader_;
};

std::unique_ptr<PollProtocol> MakePollProtocol(const FrequencySource& chosen);

}  // namespace torvik::bands
