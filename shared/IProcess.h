#pragma once
// How the rendering engine calls the control back.

class IProcess
{
public:
    virtual ~IProcess() = default;

    virtual int IsEngineReady() = 0;   // the engine-ready flag
    virtual void OnDeviceReset() = 0;  // every track re-creates its engine resources
    virtual void Render() = 0;         // draws the whole view with the engine
};
