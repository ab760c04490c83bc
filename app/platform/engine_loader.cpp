#include "platform/engine_loader.h"

#include "platform/program_folder.h"

#include <dlfcn.h>
#include <unistd.h>

#include <memory>
#include <mutex>
#include <vector>

namespace tessaly {

namespace {

Failure loadFailure(const std::string& what) {
    Failure failure;
    failure.code = code::libraryNotLoadable;
    failure.operation = "load the search engine";
    failure.path = what;
    return failure;
}

// Libraries stay loaded for the life of the process, as the engine expects.
const EngineCalls* resolve(void* library, const std::string& name, Failure& failure) {
    auto calls = std::make_unique<EngineCalls>();
    calls->stringSearch = reinterpret_cast<decltype(calls->stringSearch)>(::dlsym(library, "stringSearch"));
    calls->stringView = reinterpret_cast<decltype(calls->stringView)>(::dlsym(library, "stringView"));
    calls->searchOpenFile =
        reinterpret_cast<decltype(calls->searchOpenFile)>(::dlsym(library, "tyx12SearchOpenFile"));
    calls->searchHeld = reinterpret_cast<decltype(calls->searchHeld)>(::dlsym(library, "tyx12SearchHeld"));
    calls->searchGrowing =
        reinterpret_cast<decltype(calls->searchGrowing)>(::dlsym(library, "tyx12SearchGrowing"));
    calls->viewText = reinterpret_cast<decltype(calls->viewText)>(::dlsym(library, "tyx12ViewText"));
    calls->viewOpenFile = reinterpret_cast<decltype(calls->viewOpenFile)>(::dlsym(library, "tyx12ViewOpenFile"));
    calls->viewHeldText = reinterpret_cast<decltype(calls->viewHeldText)>(::dlsym(library, "tyx12ViewHeldText"));
    calls->searchHitWords =
        reinterpret_cast<decltype(calls->searchHitWords)>(::dlsym(library, "tyx12SearchHitWords"));
    calls->searchGatheringWords =
        reinterpret_cast<decltype(calls->searchGatheringWords)>(::dlsym(library, "tyx12SearchGatheringWords"));
    calls->indexTerms = reinterpret_cast<decltype(calls->indexTerms)>(::dlsym(library, "tyx12IndexTerms"));
    calls->couldMatch = reinterpret_cast<decltype(calls->couldMatch)>(::dlsym(library, "tyx12CouldMatch"));
    calls->lastReadError =
        reinterpret_cast<decltype(calls->lastReadError)>(::dlsym(library, "tyx12LastReadError"));
    if (!calls->stringSearch || !calls->stringView) {
        failure = loadFailure(name + " (it lacks stringSearch or stringView)");
        return nullptr;
    }
    static std::vector<std::unique_ptr<EngineCalls>> loaded;
    static std::mutex guard;
    std::lock_guard lock(guard);
    loaded.push_back(std::move(calls));
    return loaded.back().get();
}

}  // namespace

const EngineCalls* loadEngineFrom(const std::string& libraryPath, Failure& failure) {
    void* library = ::dlopen(libraryPath.c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!library) {
        const char* reason = ::dlerror();
        failure = loadFailure(reason ? reason : libraryPath);
        return nullptr;
    }
    return resolve(library, libraryPath, failure);
}

const EngineCalls* loadEngine(Failure& failure) {
    static Failure firstFailure;
    static const EngineCalls* calls = [] {
        const std::string beside = programFolder() + kEngineLibraryName;
        if (const EngineCalls* found = loadEngineFrom(beside, firstFailure)) return found;
        // A library beside the program that will not load is the one to name,
        // not the search that follows it.
        const bool besideExists = ::access(beside.c_str(), F_OK) == 0;
        Failure byName;
        if (const EngineCalls* found = loadEngineFrom(kEngineLibraryName, byName)) return found;
        if (!besideExists) firstFailure = byName;
        return static_cast<const EngineCalls*>(nullptr);
    }();
    if (!calls) failure = firstFailure;
    return calls;
}

}  // namespace tessaly
