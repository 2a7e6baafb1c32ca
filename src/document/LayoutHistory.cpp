#include "document/LayoutHistory.h"

#include <algorithm>
#include <cassert>

namespace document {

LayoutHistory::LayoutHistory(std::size_t limit) : limit_(std::max<std::size_t>(limit, 1)) {}

void LayoutHistory::reset(PlanObjects objects, LooseLoads loads) {
    objects_ = std::move(objects);
    loads_ = std::move(loads);
    steps_.clear();
    position_ = 0;
    saved_ = 0;
}

bool LayoutHistory::record(LayoutChange change, PlanObjects after, int selectedBefore,
                           int selectedAfter, std::optional<MergeKey> mergeKey) {
    if (after == objects_)
        return false;
    dropUndone();
    const bool merge = mergeKey && position_ > 0 && steps_.back().mergeKey == mergeKey &&
                       steps_.back().change == change && saved_ != position_;
    if (merge) {
        // The state before the last step, to make one step of both.
        PlanObjects before = objects_;
        applyInverse(before, steps_.back().splices);
        std::vector<Splice> splices = difference(before, after);
        if (splices.empty()) {
            steps_.pop_back();
            --position_;
        } else {
            steps_.back().splices = std::move(splices);
            steps_.back().selectedAfter = selectedAfter;
        }
        objects_ = std::move(after);
        return true;
    }
    push(Step{change, difference(objects_, after), selectedBefore, selectedAfter, mergeKey, {}});
    objects_ = std::move(after);
    return true;
}

bool LayoutHistory::recordLoads(LooseLoads after, int selected) {
    if (after == loads_)
        return false;
    dropUndone();
    push(
        Step{LayoutChange::Loads, {}, selected, selected, std::nullopt, LoadChange{loads_, after}});
    loads_ = std::move(after);
    return true;
}

void LayoutHistory::dropUndone() {
    if (!canRedo())
        return;
    steps_.resize(position_);
    if (saved_ && *saved_ > position_)
        saved_.reset();
}

void LayoutHistory::push(Step step) {
    steps_.push_back(std::move(step));
    ++position_;
    if (steps_.size() > limit_)
        dropOldest();
}

std::optional<LayoutChange> LayoutHistory::undoChange() const {
    if (!canUndo())
        return std::nullopt;
    return steps_[position_ - 1].change;
}

std::optional<LayoutChange> LayoutHistory::redoChange() const {
    if (!canRedo())
        return std::nullopt;
    return steps_[position_].change;
}

std::optional<int> LayoutHistory::undo() {
    if (!canUndo())
        return std::nullopt;
    --position_;
    const Step& step = steps_[position_];
    applyInverse(objects_, step.splices);
    if (step.loads)
        loads_ = step.loads->before;
    return step.selectedBefore;
}

std::optional<int> LayoutHistory::redo() {
    if (!canRedo())
        return std::nullopt;
    const Step& step = steps_[position_++];
    apply(objects_, step.splices);
    if (step.loads)
        loads_ = step.loads->after;
    return step.selectedAfter;
}

void LayoutHistory::markSaved() {
    saved_ = position_;
}

std::size_t LayoutHistory::stepBytes() const {
    const auto objectBytes = [](const PlanObject& o) {
        return sizeof(PlanObject) +
               std::size_t(o.text.capacity() + o.fill.fileName().capacity()) * sizeof(QChar);
    };
    const auto loadBytes = [](const LooseLoads& loads) {
        std::size_t bytes = loads.capacity() * sizeof(LooseLoad);
        for (const LooseLoad& load : loads)
            bytes += std::size_t(load.label.capacity()) * sizeof(QChar);
        return bytes;
    };
    std::size_t bytes = steps_.capacity() * sizeof(Step);
    for (const Step& step : steps_) {
        if (step.loads)
            bytes += loadBytes(step.loads->before) + loadBytes(step.loads->after);
        bytes += step.splices.capacity() * sizeof(Splice);
        for (const Splice& s : step.splices) {
            for (const PlanObject& o : s.before)
                bytes += objectBytes(o);
            for (const PlanObject& o : s.after)
                bytes += objectBytes(o);
        }
    }
    return bytes;
}

std::vector<LayoutHistory::Splice> LayoutHistory::difference(const PlanObjects& from,
                                                             const PlanObjects& to) {
    std::size_t prefix = 0;
    while (prefix < from.size() && prefix < to.size() && from[prefix] == to[prefix])
        ++prefix;
    std::size_t suffix = 0;
    while (suffix < from.size() - prefix && suffix < to.size() - prefix &&
           from[from.size() - 1 - suffix] == to[to.size() - 1 - suffix])
        ++suffix;
    const PlanObjects before(from.begin() + std::ptrdiff_t(prefix),
                             from.end() - std::ptrdiff_t(suffix));
    const PlanObjects after(to.begin() + std::ptrdiff_t(prefix), to.end() - std::ptrdiff_t(suffix));
    if (before.empty() && after.empty())
        return {};

    // One object taken from one end of the changed rows to the other (to the front, to the
    // back, put back on top), perhaps changed on the way: two one-row splices instead of
    // every row in between.
    const std::size_t n = before.size();
    if (n >= 2 && after.size() == n) {
        if (std::equal(before.begin() + 1, before.end(), after.begin()))
            return {Splice{prefix, {before.front()}, {}},
                    Splice{prefix + n - 1, {}, {after.back()}}};
        if (std::equal(before.begin(), before.end() - 1, after.begin() + 1))
            return {Splice{prefix + n - 1, {before.back()}, {}},
                    Splice{prefix, {}, {after.front()}}};
    }
    return {Splice{prefix, before, after}};
}

void LayoutHistory::apply(PlanObjects& objects, const std::vector<Splice>& splices) {
    for (const Splice& s : splices) {
        assert(s.first + s.before.size() <= objects.size());
        const auto at = objects.begin() + std::ptrdiff_t(s.first);
        objects.erase(at, at + std::ptrdiff_t(s.before.size()));
        objects.insert(objects.begin() + std::ptrdiff_t(s.first), s.after.begin(), s.after.end());
    }
}

void LayoutHistory::applyInverse(PlanObjects& objects, const std::vector<Splice>& splices) {
    for (auto s = splices.rbegin(); s != splices.rend(); ++s) {
        assert(s->first + s->after.size() <= objects.size());
        const auto at = objects.begin() + std::ptrdiff_t(s->first);
        objects.erase(at, at + std::ptrdiff_t(s->after.size()));
        objects.insert(objects.begin() + std::ptrdiff_t(s->first), s->before.begin(),
                       s->before.end());
    }
}

void LayoutHistory::dropOldest() {
    steps_.erase(steps_.begin());
    --position_;
    if (saved_) {
        if (*saved_ == 0)
            saved_.reset();
        else
            --*saved_;
    }
}

} // namespace document
