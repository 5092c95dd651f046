#pragma once

#include <QObject>

#include <utility>

namespace lumetra {

// Runs `update` now and again after every `signal` of `source`, for as long as `context` lives:
// how a widget keeps showing a property of the model.
template <typename Source, typename Signal, typename Update>
void observe(Source *source, Signal signal, QObject *context, Update &&update)
{
    update();
    QObject::connect(source, signal, context, std::forward<Update>(update));
}

} // namespace lumetra
