#pragma once
// Stand-in for the capture mode records until the device-list unit lands.
#include <QtGlobal>

struct TGuid {
    quint32 D1 = 0;
    quint16 D2 = 0;
    quint16 D3 = 0;
    quint8 D4[8] = {};
};

struct TVideoMode {
    TGuid MajorType;
    TGuid MediaSubType;
    qint32 Width = 0;
    qint32 Height = 0;
    qint32 Bits = 0;
    double AvgFrameRate = 0;
    double MinFrameRate = 0;
    double MaxFrameRate = 0;
};

struct TAudioMode {
    TGuid MajorType;
    TGuid MediaSubType;
    qint32 SampleRate = 0;
    qint32 SampleSize = 0;
    qint32 Channels = 0;
    qint32 AvgSampleRate = 0;
};
