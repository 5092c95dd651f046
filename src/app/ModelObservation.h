#pragma once

#include "PrompterViewModel.h"

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

// Runs `update` now and whenever the current chunk may have moved: the text, the scroll position,
// the measured chunk positions or the Voice Sync chunk changed.
template <typename Update> void observeCurrentChunk(PrompterViewModel *model, QObject *context, Update update)
{
    update();
    QObject::connect(model, &PrompterViewModel::documentChanged, context, update);
    QObject::connect(model, &PrompterViewModel::scrollOffsetChanged, context, update);
    QObject::connect(model, &PrompterViewModel::measuredParagraphMidpointsChanged, context, update);
    QObject::connect(model, &PrompterViewModel::voiceSyncParagraphIndexChanged, context, update);
}

} // namespace lumetra
