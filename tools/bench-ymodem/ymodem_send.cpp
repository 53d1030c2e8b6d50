// Sends one file with YmodemFileTransmit: ymodem_send <port> <file> [baud].
// Exit code 0 on success, 1 on a failed transfer, 2 on bad use or an
// unopenable port. Used by the benchmark script.
#include "firmware/YmodemFileTransmit.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    QTextStream err(stderr);
    if (args.size() < 3) {
        err << "usage: ymodem_send <port> <file> [baud]\n";
        return 2;
    }
    YmodemFileTransmit transmit;
    transmit.setPortName(args.at(1));
    transmit.setFileName(args.at(2));
    if (args.size() > 3)
        transmit.setPortBaudRate(args.at(3).toInt());
    QObject::connect(&transmit, &YmodemFileTransmit::transmitStatus, &app,
                     [&](YmodemFileTransmit::Status status) {
                         if (status == YmodemFileTransmit::StatusEstablish
                             || status == YmodemFileTransmit::StatusTransmit)
                             return;
                         err << "ymodem_send: status " << int(status) << "\n";
                         err.flush();
                         app.exit(status == YmodemFileTransmit::StatusFinish ? 0 : 1);
                     });
    if (!transmit.startTransmit()) {
        err << "ymodem_send: cannot open " << args.at(1) << "\n";
        return 2;
    }
    return app.exec();
}
