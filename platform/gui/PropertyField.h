#pragma once
// A published field with a setter: it reads as its value, and every value
// written to it goes through the owner's setter, so `control->Field = v`
// takes effect just as a call of the setter does.

#include <functional>
#include <utility>

template <class T>
class TPropertyField {
public:
    using Setter = std::function<void(T)>;
    TPropertyField(T value, Setter setter) : FValue(value), FSetter(std::move(setter)) {}
    TPropertyField(const TPropertyField&) = delete;
    TPropertyField& operator=(const TPropertyField&) = delete;

    operator T() const { return FValue; }
    TPropertyField& operator=(T value) {
        FSetter(value);
        return *this;
    }
    // For the setter: keeps the value without calling back.
    void Store(T value) { FValue = value; }

private:
    T FValue;
    Setter FSetter;
};
