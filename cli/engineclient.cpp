#include "cli/engineclient.h"

#include "cli/cecpclient.h"
#include "cli/uciclient.h"

namespace zarvik::cli {

std::unique_ptr<EngineClient> EngineClient::launch(const EngineSpec& spec, std::string& error) {
    std::unique_ptr<ChildProcess> process = ChildProcess::start(spec.commandLine, error);
    if (!process) {
        return nullptr;
    }
    return spec.protocol == Protocol::uci ? UciClient::launch(std::move(process), spec, error)
                                          : CecpClient::launch(std::move(process), spec, error);
}

}  // namespace zarvik::cli
