#pragma once

#include <QByteArray>
#include <QProcess>
#include <QString>
#include <QStringList>

// A network of its own for the probe tests, made for one test run and removed
// with it: a prober's namespace (198.18.0.1) and a responder's namespace
// (198.18.0.2, and a second address 198.18.0.3 for look-alikes from another
// host) joined by a veth pair, with no route anywhere else. In the
// responder's namespace the kernel leaves echo requests unanswered, so that
// the responder program alone answers. The namespaces are named after this
// process (orienzo-prober-PID, orienzo-responder-PID), so that what a killed
// run left behind is removed by the next. Needs root.
class TestNetwork {
public:
    static constexpr const char* ProberAddress = "198.18.0.1";
    static constexpr const char* ResponderAddress = "198.18.0.2";
    static constexpr const char* SecondResponderAddress = "198.18.0.3";

    TestNetwork();
    ~TestNetwork();
    TestNetwork(const TestNetwork&) = delete;
    TestNetwork& operator=(const TestNetwork&) = delete;

    bool isReady() const;
    // Why the network could not be made.
    QString failure() const;
    QString proberNamespace() const;

    // net.ipv4.ping_group_range in the prober's namespace: everyone or no one.
    bool allowPingSockets(bool allowed);
    // Starts the responder in its namespace, after stopping any earlier one,
    // and waits until it listens.
    bool startResponder(const QString& program, const QStringList& arguments);
    void stopResponder();

private:
    bool run(const QStringList& arguments);
    bool build();
    bool setIpv4Setting(const QString& namespaceName, const QString& name, const QByteArray& value);

    QString m_proberNamespace;
    QString m_responderNamespace;
    QString m_failure;
    QProcess m_responder;
    bool m_ready = false;
};

// Moves the calling thread into a namespace of a TestNetwork for its
// lifetime; threads it starts meanwhile stay there.
class NamespaceVisit {
public:
    explicit NamespaceVisit(const QString& name);
    ~NamespaceVisit();
    NamespaceVisit(const NamespaceVisit&) = delete;
    NamespaceVisit& operator=(const NamespaceVisit&) = delete;

    bool isActive() const;

private:
    int m_home = -1;
    bool m_active = false;
};

// Echo requests sent so far from the calling thread's network namespace.
quint64 echoRequestsSentHere();
