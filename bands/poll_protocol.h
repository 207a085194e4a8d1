#pragma once
// What a polled source is asked and how its answers are read, for RigLink: rigctld's "f" and
// "t" lines or flrig's XML-RPC calls. The link asks one question at a time, so the answers that
// follow a question are read as answers to it.

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
    enum class Query { kFrequency, kTransmit };
    // The bytes of the next question; what follows is read as its answer.
    virtual std::string Question(Query query) = 0;
    // Appends every answer completed by bytes.
    virtual void Feed(std::string_view bytes, std::vector<RigAnswer>& answers) = 0;
    // A new connection starts clean.
    virtual void Reset() = 0;
    // The stream can no longer be read in step with the questions: reconnect.
    virtual bool Lost() const { return false; }
};

// rigctld's protocol: "f\n" and "t\n", one line per answer.
class RigctldProtocol final : public PollProtocol {
public:
    std::string Question(Query query) override {
        reader_.ExpectTransmit(query == Query::kTransmit);
        return query == Query::kTransmit ? "t\n" : "f\n";
    }
    void Feed(std::string_view bytes, std::vector<RigAnswer>& answers) override {
        reader_.Feed(bytes, answers);
    }
    void Reset() override { reader_.Reset(); }

private:
    RigAnswerReader reader_;
};

std::unique_ptr<PollProtocol> MakePollProtocol(const FrequencySource& chosen);

}  // namespace torvik::bands
