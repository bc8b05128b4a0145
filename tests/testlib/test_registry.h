#pragma once
// Lets every test file of a folder register its QtTest classes, so one executable per
// folder runs them all without a hand-kept list.
#include <QObject>
#include <functional>
#include <memory>
#include <vector>

namespace zelk::test {

struct RegisteredTest {
    const char* name;
    std::function<std::unique_ptr<QObject>()> make;
};

std::vector<RegisteredTest>& registeredTests();

template <typename T>
struct Registrar {
    explicit Registrar(const char* name)
    {
        registeredTests().push_back({name, [] { return std::unique_ptr<QObject>(new T); }});
    }
};

} // namespace zelk::test

#define ZELK_TEST(Class) static ::zelk::test::Registrar<Class> zelkRegistrar_##Class(#Class);
