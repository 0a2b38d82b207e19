#pragma once
// The pages of the page control besides "Panel Petrol": their widgets with the documented
// object names. Behaviour is bound by the main window and the subsystems that own each page.

#include <QWidget>

namespace omvi::app {

QWidget* buildAdaptationPage(QWidget* parent);  // TabSheet3
QWidget* buildErrorPage(QWidget* parent);       // TabSheet5
QWidget* buildServicePage(QWidget* parent);     // TabSheet10
QWidget* buildHelpPage(QWidget* parent);        // TabSheet11
QWidget* buildObdPage(QWidget* parent);         // TabSheet2
QWidget* buildInfoPage(QWidget* parent);        // TabSheet12

}  // namespace omvi::app
