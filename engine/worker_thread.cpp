#include "engine/worker_thread.h"

#if defined(__unix__)
#include <pthread.h>
#endif

namespace velantra {

#if defined(__unix__)

SignalsHeldBack::SignalsHeldBack()
{
    sigset_t all;
    sigfillset(&all);
    pthread_sigmask(SIG_BLOCK, &all, &saved_);
}

SignalsHeldBack::~SignalsHeldBack()
{
    pthread_sigmask(SIG_SETMASK, &saved_, nullptr);
}

#else

SignalsHeldBack::SignalsHeldBack() = default;
SignalsHeldBack::~SignalsHeldBack() = default;

#endif

}  // namespace velantra
