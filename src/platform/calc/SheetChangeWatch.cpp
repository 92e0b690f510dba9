#include "platform/calc/SheetChangeWatch.h"

#include <com/sun/star/util/XModifyBroadcaster.hpp>
#include <com/sun/star/util/XModifyListener.hpp>
#include <cppuhelper/implbase1.hxx>

#include <mutex>

namespace tabora::calc {
using namespace css;

namespace {

// What the listener shares with the watch: the office may still call the listener after the
// watch has gone.
class Relay : public std::enable_shared_from_this<Relay> {
public:
    Relay(PostToUserInterface post, std::function<void()> changed)
        : post_(std::move(post)), changed_(std::move(changed)) {}

    // On any thread. At most one call waits on the user-interface thread at a time.
    void Changed() {
        const std::lock_guard lock(mutex_);
        if (!watching_ || posted_) return;
        posted_ = true;
        post_([self = shared_from_this()] { self->Deliver(); });
    }

    // On the user-interface thread, as the watch goes.
    void Stop() {
        const std::lock_guard lock(mutex_);
        watching_ = false;
    }

private:
    // On the user-interface thread, where Stop is called too: a watch still there now is still
    // there for the call.
    void Deliver() {
        {
            const std::lock_guard lock(mutex_);
            posted_ = false;
            if (!watching_) return;
        }
        changed_();
    }

    std::mutex mutex_;
    bool watching_ = true;
    bool posted_ = false;
    const PostToUserInterface post_;
    const std::function<void()> changed_;
};

class ModifyListener : public cppu::WeakImplHelper1<util::XModifyListener> {
public:
    explicit ModifyListener(std::shared_ptr<Relay> relay) : relay_(std::move(relay)) {}
    // The office waits for the answer: only hand the word on.
    void SAL_CALL modified(const lang::EventObject&) override { relay_->Changed(); }
    void SAL_CALL disposing(const lang::EventObject&) override {}

private:
    const std::shared_ptr<Relay> relay_;
};

class DocumentWatch : public SheetWatch {
public:
    explicit DocumentWatch(std::shared_ptr<Relay> relay) : relay_(std::move(relay)), listener_(new ModifyListener(relay_)) {}

    // A watch that fails halfway is destroyed, which takes back what it had added.
    void Add(const DocumentRef& document) {
        uno::Reference<util::XModifyBroadcaster> broadcaster(document, uno::UNO_QUERY_THROW);
        broadcaster->addModifyListener(listener_);
        broadcasters_.push_back(std::move(broadcaster));
    }

    ~DocumentWatch() override {
        relay_->Stop();
        for (const auto& broadcaster : broadcasters_) {
            try {
                broadcaster->removeModifyListener(listener_);
            } catch (const uno::Exception&) {
                // The document or its office has gone, and the listener with it.
            }
        }
    }

private:
    std::shared_ptr<Relay> relay_;
    uno::Reference<util::XModifyListener> listener_;
    std::vector<uno::Reference<util::XModifyBroadcaster>> broadcasters_;
};

}  // namespace

std::unique_ptr<SheetWatch> WatchDocuments(const std::vector<DocumentRef>& documents, PostToUserInterface post,
                                           std::function<void()> changed) {
    auto watch = std::make_unique<DocumentWatch>(std::make_shared<Relay>(std::move(post), std::move(changed)));
    for (const DocumentRef& document : documents) watch->Add(document);
    return watch;
}

}  // namespace tabora::calc
