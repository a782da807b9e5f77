<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="fr_FR">
<context>
    <name>Alarm</name>
    <message>
        <source>Communication lost</source>
        <translation>Communication perdue</translation>
    </message>
    <message>
        <source>Communication established</source>
        <translation>Communication établie</translation>
    </message>
    <message>
        <source>Input voltage fault</source>
        <translation>Défaut de tension d&apos;entrée</translation>
    </message>
    <message>
        <source>Input voltage returns to normal</source>
        <translation>Tension d&apos;entrée revenue à la normale</translation>
    </message>
    <message>
        <source>Battery voltage low</source>
        <translation>Tension de batterie basse</translation>
    </message>
    <message>
        <source>Battery voltage returns to normal</source>
        <translation>Tension de batterie revenue à la normale</translation>
    </message>
    <message>
        <source>Bypass supply</source>
        <translation>Alimentation par le bypass</translation>
    </message>
    <message>
        <source>Rectifier supply</source>
        <translation>Alimentation par le redresseur</translation>
    </message>
    <message>
        <source>UPS fault</source>
        <translation>Défaut de l&apos;ASI</translation>
    </message>
    <message>
        <source>UPS returns to normal</source>
        <translation>ASI revenue à la normale</translation>
    </message>
    <message>
        <source>UPS backup</source>
        <translation>ASI en mode secours</translation>
    </message>
    <message>
        <source>UPS online</source>
        <translation>ASI en ligne</translation>
    </message>
    <message>
        <source>In self-test</source>
        <translation>Autotest en cours</translation>
    </message>
    <message>
        <source>Self-test finished</source>
        <translation>Autotest terminé</translation>
    </message>
    <message>
        <source>In power off</source>
        <translation>Arrêt en cours</translation>
    </message>
    <message>
        <source>UPS returns from power off</source>
        <translation>ASI sortie de l&apos;arrêt</translation>
    </message>
    <message>
        <source>Buzzer open</source>
        <translation>Alarme sonore activée</translation>
    </message>
    <message>
        <source>Buzzer silent</source>
        <translation>Alarme sonore coupée</translation>
    </message>
    <message>
        <source>Boost or buck activated</source>
        <translation>Survoltage ou dévoltage activé</translation>
    </message>
    <message>
        <source>UPS returns from boost or buck</source>
        <translation>ASI sortie du survoltage ou du dévoltage</translation>
    </message>
    <message>
        <source>On boost</source>
        <translation>Survoltage en cours</translation>
    </message>
    <message>
        <source>On Buck</source>
        <translation>Dévoltage en cours</translation>
    </message>
    <message>
        <source>Input phase sequence error</source>
        <translation>Erreur d&apos;ordre des phases en entrée</translation>
    </message>
    <message>
        <source>Input voltage high</source>
        <translation>Tension d&apos;entrée élevée</translation>
    </message>
    <message>
        <source>Input voltage low</source>
        <translation>Tension d&apos;entrée basse</translation>
    </message>
    <message>
        <source>Input voltage abnormal</source>
        <translation>Tension d&apos;entrée anormale</translation>
    </message>
    <message>
        <source>Input N missing</source>
        <translation>Neutre d&apos;entrée absent</translation>
    </message>
    <message>
        <source>Input frequency abnormal</source>
        <translation>Fréquence d&apos;entrée anormale</translation>
    </message>
    <message>
        <source>+DC bus over voltage</source>
        <translation>Surtension du bus CC +</translation>
    </message>
    <message>
        <source>-DC bus over voltage</source>
        <translation>Surtension du bus CC -</translation>
    </message>
    <message>
        <source>DC bus OV HW CKT</source>
        <translation>Protection matérielle de surtension du bus CC</translation>
    </message>
    <message>
        <source>DC Bus over voltage</source>
        <translation>Surtension du bus CC</translation>
    </message>
    <message>
        <source>+DC bus low voltage(output on)</source>
        <translation>Sous-tension du bus CC + (sortie active)</translation>
    </message>
    <message>
        <source>-DC bus low voltage(output on)</source>
        <translation>Sous-tension du bus CC - (sortie active)</translation>
    </message>
    <message>
        <source>+DC bus voltage low(output off)</source>
        <translation>Tension du bus CC + basse (sortie coupée)</translation>
    </message>
    <message>
        <source>-DC bus voltage low(output off)</source>
        <translation>Tension du bus CC - basse (sortie coupée)</translation>
    </message>
    <message>
        <source>DC bus voltage low</source>
        <translation>Tension du bus CC basse</translation>
    </message>
    <message>
        <source>DC bus delta</source>
        <translation>Déséquilibre du bus CC</translation>
    </message>
    <message>
        <source>DC bus delta(line)</source>
        <translation>Déséquilibre du bus CC (secteur)</translation>
    </message>
    <message>
        <source>DC bus delta(on battery)</source>
        <translation>Déséquilibre du bus CC (sur batterie)</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(line)</source>
        <translation>Échec du démarrage progressif du bus CC + (secteur)</translation>
    </message>
    <message>
        <source>-DC Bus soft start fail(Line)</source>
        <translation>Échec du démarrage progressif du bus CC - (secteur)</translation>
    </message>
    <message>
        <source>+DC bus soft start fail(battery)</source>
        <translation>Échec du démarrage progressif du bus CC + (batterie)</translation>
    </message>
    <message>
        <source>-DC bus soft start fail(battery)</source>
        <translation>Échec du démarrage progressif du bus CC - (batterie)</translation>
    </message>
    <message>
        <source>+DC bus discharge fail</source>
        <translation>Échec de la décharge du bus CC +</translation>
    </message>
    <message>
        <source>-DC bus discharge fail</source>
        <translation>Échec de la décharge du bus CC -</translation>
    </message>
    <message>
        <source>Rectifier fault</source>
        <translation>Défaut du redresseur</translation>
    </message>
    <message>
        <source>Rectifier over current</source>
        <translation>Surintensité du redresseur</translation>
    </message>
    <message>
        <source>Inverter output low</source>
        <translation>Tension de sortie de l&apos;onduleur basse</translation>
    </message>
    <message>
        <source>Inverter output high</source>
        <translation>Tension de sortie de l&apos;onduleur élevée</translation>
    </message>
    <message>
        <source>Inverter hardware CKT</source>
        <translation>Défaut du circuit matériel de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter fault</source>
        <translation>Défaut de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Output relay weld close</source>
        <translation>Relais de sortie soudé en position fermée</translation>
    </message>
    <message>
        <source>Output relay weld open</source>
        <translation>Relais de sortie bloqué en position ouverte</translation>
    </message>
    <message>
        <source>Inverter overload</source>
        <translation>Surcharge de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter overload time out</source>
        <translation>Durée de surcharge de l&apos;onduleur dépassée</translation>
    </message>
    <message>
        <source>Inverter DC over voltage</source>
        <translation>Surtension CC de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Output meas mismatch</source>
        <translation>Mesures de sortie incohérentes</translation>
    </message>
    <message>
        <source>Inverter soft start fail</source>
        <translation>Échec du démarrage progressif de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Soft start fail</source>
        <translation>Échec du démarrage progressif</translation>
    </message>
    <message>
        <source>Output short circuit</source>
        <translation>Court-circuit en sortie</translation>
    </message>
    <message>
        <source>Output over voltage</source>
        <translation>Surtension en sortie</translation>
    </message>
    <message>
        <source>Output severe over voltage</source>
        <translation>Surtension grave en sortie</translation>
    </message>
    <message>
        <source>Output low voltage</source>
        <translation>Tension de sortie basse</translation>
    </message>
    <message>
        <source>Output overload</source>
        <translation>Surcharge en sortie</translation>
    </message>
    <message>
        <source>Battery reversed connection</source>
        <translation>Batterie branchée à l&apos;envers</translation>
    </message>
    <message>
        <source>+Battery over voltage</source>
        <translation>Surtension de la batterie +</translation>
    </message>
    <message>
        <source>-Battery over voltage</source>
        <translation>Surtension de la batterie -</translation>
    </message>
    <message>
        <source>+Battery disconnected</source>
        <translation>Batterie + déconnectée</translation>
    </message>
    <message>
        <source>-Battery disconnected</source>
        <translation>Batterie - déconnectée</translation>
    </message>
    <message>
        <source>+Battery low pre alarm</source>
        <translation>Préalarme de batterie + faible</translation>
    </message>
    <message>
        <source>-Battery low pre alarm</source>
        <translation>Préalarme de batterie - faible</translation>
    </message>
    <message>
        <source>+Battery low voltage</source>
        <translation>Tension de la batterie + basse</translation>
    </message>
    <message>
        <source>-Battery low voltage</source>
        <translation>Tension de la batterie - basse</translation>
    </message>
    <message>
        <source>RBC needs replacement</source>
        <translation>La batterie doit être remplacée</translation>
    </message>
    <message>
        <source>+Charger error</source>
        <translation>Erreur du chargeur +</translation>
    </message>
    <message>
        <source>-Charger error</source>
        <translation>Erreur du chargeur -</translation>
    </message>
    <message>
        <source>+Charger over voltage</source>
        <translation>Surtension du chargeur +</translation>
    </message>
    <message>
        <source>-Charger over voltage</source>
        <translation>Surtension du chargeur -</translation>
    </message>
    <message>
        <source>+Charger low voltage</source>
        <translation>Tension du chargeur + basse</translation>
    </message>
    <message>
        <source>-Charger low voltage</source>
        <translation>Tension du chargeur - basse</translation>
    </message>
    <message>
        <source>Charger meas mismatch</source>
        <translation>Mesures du chargeur incohérentes</translation>
    </message>
    <message>
        <source>Bypass phase sequence error</source>
        <translation>Erreur d&apos;ordre des phases du bypass</translation>
    </message>
    <message>
        <source>Bypass over current</source>
        <translation>Surintensité du bypass</translation>
    </message>
    <message>
        <source>Bypass voltage abnormal</source>
        <translation>Tension du bypass anormale</translation>
    </message>
    <message>
        <source>Bypass frequency abnormal</source>
        <translation>Fréquence du bypass anormale</translation>
    </message>
    <message>
        <source>Bypass overload</source>
        <translation>Surcharge du bypass</translation>
    </message>
    <message>
        <source>Bypass overload time out</source>
        <translation>Durée de surcharge du bypass dépassée</translation>
    </message>
    <message>
        <source>PDU activated</source>
        <translation>PDU activée</translation>
    </message>
    <message>
        <source>Bypass not available</source>
        <translation>Bypass non disponible</translation>
    </message>
    <message>
        <source>Bypass unable to trace</source>
        <translation>Synchronisation sur le bypass impossible</translation>
    </message>
    <message>
        <source>Battery over temperature critical</source>
        <translation>Température de batterie critique</translation>
    </message>
    <message>
        <source>Battery low temperature</source>
        <translation>Température de batterie basse</translation>
    </message>
    <message>
        <source>Battery over temperature(&gt;50℃ charging)</source>
        <translation>Surchauffe de la batterie (&gt;50℃ en charge)</translation>
    </message>
    <message>
        <source>Battery temp sensor disconnected</source>
        <translation>Capteur de température de batterie déconnecté</translation>
    </message>
    <message>
        <source>Fan inoperative</source>
        <translation>Ventilateur à l&apos;arrêt</translation>
    </message>
    <message>
        <source>Fan logic power supply fault</source>
        <translation>Défaut de l&apos;alimentation logique du ventilateur</translation>
    </message>
    <message>
        <source>Fuse blown</source>
        <translation>Fusible grillé</translation>
    </message>
    <message>
        <source>Heat sink 1 over temperature</source>
        <translation>Surchauffe du dissipateur 1</translation>
    </message>
    <message>
        <source>Heat sink 2 over temperature</source>
        <translation>Surchauffe du dissipateur 2</translation>
    </message>
    <message>
        <source>Inverter over temperature</source>
        <translation>Surchauffe de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Ambient over temperature</source>
        <translation>Température ambiante trop élevée</translation>
    </message>
    <message>
        <source>Ambient low temperature</source>
        <translation>Température ambiante trop basse</translation>
    </message>
    <message>
        <source>Bypass SCR/relay short circuit</source>
        <translation>Court-circuit du thyristor/relais du bypass</translation>
    </message>
    <message>
        <source>Bypass SCR/relay open circuit</source>
        <translation>Circuit ouvert du thyristor/relais du bypass</translation>
    </message>
    <message>
        <source>Bkfeed relay weld close</source>
        <translation>Relais anti-retour soudé en position fermée</translation>
    </message>
    <message>
        <source>Bkfeed relay weld open</source>
        <translation>Relais anti-retour bloqué en position ouverte</translation>
    </message>
    <message>
        <source>Logic power supply error</source>
        <translation>Erreur de l&apos;alimentation logique</translation>
    </message>
    <message>
        <source>EEPROM fault</source>
        <translation>Défaut de l&apos;EEPROM</translation>
    </message>
    <message>
        <source>RAM error</source>
        <translation>Erreur de la RAM</translation>
    </message>
    <message>
        <source>Parallel communication error</source>
        <translation>Erreur de communication en parallèle</translation>
    </message>
    <message>
        <source>Internal communication error</source>
        <translation>Erreur de communication interne</translation>
    </message>
    <message>
        <source>CPLD fault</source>
        <translation>Défaut du CPLD</translation>
    </message>
    <message>
        <source>MCU reseted</source>
        <translation>MCU réinitialisé</translation>
    </message>
    <message>
        <source>Bkfeed relay locked</source>
        <translation>Relais anti-retour verrouillé</translation>
    </message>
    <message>
        <source>BMS communication error</source>
        <translation>Erreur de communication avec le BMS</translation>
    </message>
    <message>
        <source>Parallel relay error</source>
        <translation>Erreur du relais de mise en parallèle</translation>
    </message>
    <message>
        <source>Parallel connect error</source>
        <translation>Erreur de connexion en parallèle</translation>
    </message>
    <message>
        <source>Parallel current sharing error</source>
        <translation>Erreur de répartition du courant en parallèle</translation>
    </message>
    <message>
        <source>Parallel overload</source>
        <translation>Surcharge en parallèle</translation>
    </message>
    <message>
        <source>Button error</source>
        <translation>Erreur de bouton</translation>
    </message>
    <message>
        <source>EPO activated</source>
        <translation>Arrêt d&apos;urgence activé</translation>
    </message>
    <message>
        <source>Firmware mismatch</source>
        <translation>Micrologiciel incompatible</translation>
    </message>
    <message>
        <source>Firmware upgrading</source>
        <translation>Mise à jour du micrologiciel</translation>
    </message>
    <message>
        <source>AVR is running too long</source>
        <translation>Régulation de tension active depuis trop longtemps</translation>
    </message>
    <message>
        <source>AVR time is up</source>
        <translation>Durée de régulation de tension écoulée</translation>
    </message>
    <message>
        <source>Battery load time is too long</source>
        <translation>Fonctionnement sur batterie trop long</translation>
    </message>
    <message>
        <source>Rectifier over temperature</source>
        <translation>Surchauffe du redresseur</translation>
    </message>
    <message>
        <source>Rectifier parallel signal error</source>
        <translation>Erreur du signal de mise en parallèle du redresseur</translation>
    </message>
    <message>
        <source>Rectifier logic power supply error</source>
        <translation>Erreur de l&apos;alimentation logique du redresseur</translation>
    </message>
    <message>
        <source>Input SCR inoperable</source>
        <translation>Thyristor d&apos;entrée hors service</translation>
    </message>
    <message>
        <source>Discharge SCR error</source>
        <translation>Erreur du thyristor de décharge</translation>
    </message>
    <message>
        <source>Charge SCR error</source>
        <translation>Erreur du thyristor de charge</translation>
    </message>
    <message>
        <source>Fan inoperable</source>
        <translation>Ventilateur hors service</translation>
    </message>
    <message>
        <source>Fan power supply error</source>
        <translation>Erreur de l&apos;alimentation du ventilateur</translation>
    </message>
    <message>
        <source>Charger over temperature</source>
        <translation>Surchauffe du chargeur</translation>
    </message>
    <message>
        <source>Rectifier DC bus soft start error</source>
        <translation>Erreur du démarrage progressif du bus CC du redresseur</translation>
    </message>
    <message>
        <source>Charger fault</source>
        <translation>Défaut du chargeur</translation>
    </message>
    <message>
        <source>PFC communication fault</source>
        <translation>Défaut de communication avec le PFC</translation>
    </message>
    <message>
        <source>Rectifier initializing fault</source>
        <translation>Défaut d&apos;initialisation du redresseur</translation>
    </message>
    <message>
        <source>Rectifier power block not connected</source>
        <translation>Bloc de puissance du redresseur non connecté</translation>
    </message>
    <message>
        <source>Battery charging over voltage</source>
        <translation>Surtension de charge de la batterie</translation>
    </message>
    <message>
        <source>Rectifier CPLD clock source fault</source>
        <translation>Défaut de la source d&apos;horloge du CPLD du redresseur</translation>
    </message>
    <message>
        <source>Charger over current</source>
        <translation>Surintensité du chargeur</translation>
    </message>
    <message>
        <source>Inverter IGBT short circuit</source>
        <translation>Court-circuit d&apos;un IGBT de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter relay short circuit</source>
        <translation>Court-circuit du relais de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter relay broken</source>
        <translation>Relais de l&apos;onduleur défectueux</translation>
    </message>
    <message>
        <source>Inverter parallel signal fault</source>
        <translation>Défaut du signal de mise en parallèle de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter communication fault</source>
        <translation>Défaut de communication de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter initializing fault</source>
        <translation>Défaut d&apos;initialisation de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter self-test error</source>
        <translation>Erreur d&apos;autotest de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter DC offset over voltage</source>
        <translation>Surtension de décalage CC de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter DC bus abnormal</source>
        <translation>Bus CC de l&apos;onduleur anormal</translation>
    </message>
    <message>
        <source>Inverter PM not connected</source>
        <translation>Module de puissance de l&apos;onduleur non connecté</translation>
    </message>
    <message>
        <source>Inverter APS fault</source>
        <translation>Défaut de l&apos;alimentation auxiliaire de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter load sharing error</source>
        <translation>Erreur de répartition de charge de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Inverter parallel wire connection error</source>
        <translation>Erreur de câblage de mise en parallèle de l&apos;onduleur</translation>
    </message>
    <message>
        <source>UPS mode incorrect</source>
        <translation>Mode de l&apos;ASI incorrect</translation>
    </message>
    <message>
        <source>Inverter fuse blown</source>
        <translation>Fusible de l&apos;onduleur grillé</translation>
    </message>
    <message>
        <source>Inverter CPLD clock source fault</source>
        <translation>Défaut de la source d&apos;horloge du CPLD de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Bypass SCR short circuit</source>
        <translation>Court-circuit du thyristor du bypass</translation>
    </message>
    <message>
        <source>Bypass SCR broken</source>
        <translation>Thyristor du bypass défectueux</translation>
    </message>
    <message>
        <source>Backfeed on bypass</source>
        <translation>Retour de courant sur le bypass</translation>
    </message>
    <message>
        <source>Input wire error</source>
        <translation>Erreur de câblage de l&apos;entrée</translation>
    </message>
    <message>
        <source>Input N missing detection</source>
        <translation>Absence du neutre d&apos;entrée détectée</translation>
    </message>
    <message>
        <source>Battery over voltage</source>
        <translation>Surtension de la batterie</translation>
    </message>
    <message>
        <source>Battery EOD warning</source>
        <translation>Avertissement de fin de décharge de la batterie</translation>
    </message>
    <message>
        <source>Battery reversed</source>
        <translation>Batterie inversée</translation>
    </message>
    <message>
        <source>Battery EOD</source>
        <translation>Fin de décharge de la batterie</translation>
    </message>
    <message>
        <source>No battery</source>
        <translation>Aucune batterie</translation>
    </message>
    <message>
        <source>Input Reversed</source>
        <translation>Entrée inversée</translation>
    </message>
    <message>
        <source>Input frequency out of tol.</source>
        <translation>Fréquence d&apos;entrée hors tolérance</translation>
    </message>
    <message>
        <source>Input voltage out of tol.</source>
        <translation>Tension d&apos;entrée hors tolérance</translation>
    </message>
    <message>
        <source>PFC communication abnormal</source>
        <translation>Communication avec le PFC anormale</translation>
    </message>
    <message>
        <source>Input unavailable</source>
        <translation>Entrée indisponible</translation>
    </message>
    <message>
        <source>Rectifier setting incorrect</source>
        <translation>Réglage du redresseur incorrect</translation>
    </message>
    <message>
        <source>Mains unable to trace in 1:1 mode</source>
        <translation>Synchronisation sur le secteur impossible en mode 1:1</translation>
    </message>
    <message>
        <source>Mains relay short circuit</source>
        <translation>Court-circuit du relais secteur</translation>
    </message>
    <message>
        <source>Mains relay broken</source>
        <translation>Relais secteur défectueux</translation>
    </message>
    <message>
        <source>Inverter parallel signal abnormal</source>
        <translation>Signal de mise en parallèle de l&apos;onduleur anormal</translation>
    </message>
    <message>
        <source>Inverter out of sync.</source>
        <translation>Onduleur désynchronisé</translation>
    </message>
    <message>
        <source>Output abnormal</source>
        <translation>Sortie anormale</translation>
    </message>
    <message>
        <source>Inverter communication abnormal</source>
        <translation>Communication de l&apos;onduleur anormale</translation>
    </message>
    <message>
        <source>Inverter setting incorrect</source>
        <translation>Réglage de l&apos;onduleur incorrect</translation>
    </message>
    <message>
        <source>Bypass input relay short circuit</source>
        <translation>Court-circuit du relais d&apos;entrée du bypass</translation>
    </message>
    <message>
        <source>Bypass input relay broken</source>
        <translation>Relais d&apos;entrée du bypass défectueux</translation>
    </message>
    <message>
        <source>Bypass unavailable</source>
        <translation>Bypass indisponible</translation>
    </message>
    <message>
        <source>Bypass switch too frequent</source>
        <translation>Basculements sur le bypass trop fréquents</translation>
    </message>
    <message>
        <source>Bypass reversed</source>
        <translation>Bypass inversé</translation>
    </message>
    <message>
        <source>Battery self-test error</source>
        <translation>Erreur d&apos;autotest de la batterie</translation>
    </message>
    <message>
        <source>No battery temperature sensor</source>
        <translation>Aucun capteur de température de batterie</translation>
    </message>
    <message>
        <source>Battery over temperature</source>
        <translation>Surchauffe de la batterie</translation>
    </message>
    <message>
        <source>Monitor EEPROM error</source>
        <translation>Erreur de l&apos;EEPROM de supervision</translation>
    </message>
    <message>
        <source>Parallel CAN abnormal</source>
        <translation>Bus CAN de mise en parallèle anormal</translation>
    </message>
    <message>
        <source>Ambient temperature &gt;40℃ or &lt; -20℃</source>
        <translation>Température ambiante &gt;40℃ ou &lt; -20℃</translation>
    </message>
    <message>
        <source>Battery temperature low</source>
        <translation>Batterie trop froide</translation>
    </message>
    <message>
        <source>Need to check battery</source>
        <translation>Vérifier la batterie</translation>
    </message>
    <message>
        <source>Returned from: </source>
        <translation>Fin de : </translation>
    </message>
</context>
<context>
    <name>DevComm</name>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
</context>
<context>
    <name>DevDataChartPage</name>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Tension d&apos;entrée (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Tension de sortie (V)</translation>
    </message>
</context>
<context>
    <name>DevDataDialPage</name>
    <message>
        <source>UPS Load</source>
        <translation>Charge de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Battery Capacity</source>
        <translation>Capacité de la batterie</translation>
    </message>
</context>
<context>
    <name>DevDataInfoPage</name>
    <message>
        <source>UPS Manufacturer:</source>
        <translation>Fabricant :</translation>
    </message>
    <message>
        <source>UPS Model:</source>
        <translation>Modèle :</translation>
    </message>
    <message>
        <source>UPS Version:</source>
        <translation>Version :</translation>
    </message>
    <message>
        <source>UPS SN:</source>
        <translation>N° de série :</translation>
    </message>
</context>
<context>
    <name>DevDataItemPage</name>
    <message>
        <source>Input Voltage</source>
        <translation>Tension d&apos;entrée</translation>
    </message>
    <message>
        <source>Output Voltage</source>
        <translation>Tension de sortie</translation>
    </message>
    <message>
        <source>Input Frequncy</source>
        <translation>Fréquence d&apos;entrée</translation>
    </message>
    <message>
        <source>Battery Single Voltage</source>
        <translation>Tension d&apos;un élément de batterie</translation>
    </message>
    <message>
        <source>UPS Load</source>
        <translation>Charge de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Temperature</source>
        <translation>Température</translation>
    </message>
</context>
<context>
    <name>LogAlarmDataForm.ui</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
</context>
<context>
    <name>LogClosedRecordsForm.ui</name>
    <message>
        <source>Application</source>
        <translation>Application</translation>
    </message>
    <message>
        <source>Window</source>
        <translation>Fenêtre</translation>
    </message>
</context>
<context>
    <name>LogDevDataForm.ui</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Entrée (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Sortie (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Charge (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Fréquence (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Batterie (V)</translation>
    </message>
    <message>
        <source>temperature(℃ )</source>
        <translation>Température (℃)</translation>
    </message>
</context>
<context>
    <name>LogSelfTest</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Duration</source>
        <translation>Durée</translation>
    </message>
    <message>
        <source>Count</source>
        <translation>Nombre</translation>
    </message>
    <message>
        <source>Load(%)</source>
        <translation>Charge (%)</translation>
    </message>
    <message>
        <source>Battery Capacity(%)</source>
        <translation>Capacité de la batterie (%)</translation>
    </message>
</context>
<context>
    <name>MainDevDataForm.ui</name>
    <message>
        <source>Mimic</source>
        <translation>Synoptique</translation>
    </message>
    <message>
        <source>Dial</source>
        <translation>Cadrans</translation>
    </message>
    <message>
        <source>Data</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Chart</source>
        <translation>Courbes</translation>
    </message>
    <message>
        <source>Info.</source>
        <translation>Infos</translation>
    </message>
</context>
<context>
    <name>MainDevInfo</name>
    <message>
        <source>Fault</source>
        <translation>Défaut</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>On Battery</source>
        <translation>Sur batterie</translation>
    </message>
    <message>
        <source>On Bypass</source>
        <translation>Sur dérivation</translation>
    </message>
    <message>
        <source>On Mains</source>
        <translation>Sur secteur</translation>
    </message>
    <message>
        <source>UPS disconnect</source>
        <translation>Onduleur non connecté</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>Onduleur connecté</translation>
    </message>
    <message>
        <source>UPS Disconnected</source>
        <translation>Onduleur déconnecté</translation>
    </message>
    <message>
        <source>Conneted</source>
        <translation>Connecté</translation>
    </message>
    <message>
        <source>Disconnected</source>
        <translation>Déconnecté</translation>
    </message>
    <message>
        <source>Low</source>
        <translation>Faible</translation>
    </message>
    <message>
        <source>In progress</source>
        <translation>En cours</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Non</translation>
    </message>
</context>
<context>
    <name>MainDevInfoForm.ui</name>
    <message>
        <source>UPS Communication</source>
        <translation>Liaison onduleur</translation>
    </message>
    <message>
        <source>Input Status</source>
        <translation>État de l&apos;entrée</translation>
    </message>
    <message>
        <source>Battery Voltage</source>
        <translation>Tension batterie</translation>
    </message>
    <message>
        <source>UPS Fault</source>
        <translation>Défaut onduleur</translation>
    </message>
    <message>
        <source>Work Status</source>
        <translation>Mode de fonctionnement</translation>
    </message>
    <message>
        <source>UPS Self-Test</source>
        <translation>Autotest onduleur</translation>
    </message>
    <message>
        <source>Battery Remaining Time</source>
        <translation>Autonomie restante de la batterie</translation>
    </message>
    <message>
        <source>System Shutdown CountDown</source>
        <translation>Compte à rebours avant l&apos;arrêt du système</translation>
    </message>
</context>
<context>
    <name>MainFooterMenuForm.ui</name>
    <message>
        <source>Device</source>
        <translation>Appareil</translation>
    </message>
    <message>
        <source>Schedule Task</source>
        <translation>Tâches planifiées</translation>
    </message>
    <message>
        <source>UPS Control</source>
        <translation>Commande onduleur</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Historical Data</source>
        <translation>Historique</translation>
    </message>
</context>
<context>
    <name>MainPanelControl</name>
    <message>
        <source>Order has been issued!</source>
        <translation>La commande a été envoyée !</translation>
    </message>
</context>
<context>
    <name>MainPanelControlForm.ui</name>
    <message>
        <source>UPS Control</source>
        <translation>Commande onduleur</translation>
    </message>
    <message>
        <source>UPS Self-test for 10S</source>
        <translation>Autotest de l&apos;onduleur pendant 10 s</translation>
    </message>
    <message>
        <source>UPS Self-test to EOD</source>
        <translation>Autotest de l&apos;onduleur jusqu&apos;à fin de décharge</translation>
    </message>
    <message>
        <source>UPS Self-test for(1~99)</source>
        <translation>Autotest de l&apos;onduleur pendant (1~99)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>minute(s)</translation>
    </message>
    <message>
        <source>UPS Self-test cancel</source>
        <translation>Annuler l&apos;autotest de l&apos;onduleur</translation>
    </message>
    <message>
        <source>UPS close output in(0~9)</source>
        <translation>Couper la sortie de l&apos;onduleur dans (0~9)</translation>
    </message>
    <message>
        <source>Cancel UPS close output</source>
        <translation>Annuler la coupure de la sortie</translation>
    </message>
    <message>
        <source>UPS buzzer toggle</source>
        <translation>Activer/couper l&apos;alarme sonore</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>MainPanelLogData</name>
    <message>
        <source>Data</source>
        <translation>Données</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
    <message>
        <source>Closed Records</source>
        <translation>Fenêtres fermées</translation>
    </message>
    <message>
        <source>Self-test</source>
        <translation>Autotest</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Excel files (*.xlsx)</source>
        <translation>Fichiers Excel (*.xlsx)</translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>Opération terminée !</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>Échec de l&apos;opération !</translation>
    </message>
</context>
<context>
    <name>MainPanelLogDataForm.ui</name>
    <message>
        <source>Historical Data</source>
        <translation>Historique</translation>
    </message>
    <message>
        <source>Date Start:</source>
        <translation>Début :</translation>
    </message>
    <message>
        <source>Date End:</source>
        <translation>Fin :</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTask</name>
    <message>
        <source>Are you sure to delete this task?</source>
        <translation>Voulez-vous vraiment supprimer cette tâche ?</translation>
    </message>
</context>
<context>
    <name>MainPanelScheduleTaskForm.ui</name>
    <message>
        <source>Schedule Task</source>
        <translation>Tâches planifiées</translation>
    </message>
    <message>
        <source>Add Task</source>
        <translation>Ajouter une tâche</translation>
    </message>
</context>
<context>
    <name>MainPanelSettings</name>
    <message>
        <source>Common Parameters</source>
        <translation>Paramètres généraux</translation>
    </message>
    <message>
        <source>E-Mail</source>
        <translation>Courriel</translation>
    </message>
    <message>
        <source>Shutdown</source>
        <translation>Arrêt</translation>
    </message>
</context>
<context>
    <name>MsgDialog</name>
    <message>
        <source>Sure</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>PageSettingsCommon</name>
    <message>
        <source>Invalid value of %1: &quot;%2&quot;</source>
        <translation>Valeur invalide de %1 : « %2 »</translation>
    </message>
    <message>
        <source>The file cannot be written: %1</source>
        <translation>Impossible d&apos;écrire le fichier : %1</translation>
    </message>
    <message>
        <source>The file cannot be read.</source>
        <translation>Impossible de lire le fichier.</translation>
    </message>
    <message>
        <source>This is not a regular file.</source>
        <translation>Ce n&apos;est pas un fichier ordinaire.</translation>
    </message>
    <message>
        <source>The file is larger than 1 MiB.</source>
        <translation>Le fichier dépasse 1 Mio.</translation>
    </message>
    <message>
        <source>The file holds no settings.</source>
        <translation>Le fichier ne contient aucun paramètre.</translation>
    </message>
    <message>
        <source>The mail receivers cannot be read from the database: %1</source>
        <translation>Les destinataires des e-mails ne peuvent pas être lus dans la base de données : %1</translation>
    </message>
    <message>
        <source>The mail receivers cannot be stored in the database: %1</source>
        <translation>Les destinataires des e-mails ne peuvent pas être enregistrés dans la base de données : %1</translation>
    </message>
</context>
<context>
    <name>PopupAddEMailUser</name>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>E-Mail Receiver:</source>
        <translation>Destinataire :</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>Adresse électronique invalide !</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTask</name>
    <message>
        <source>Add Schedule Task</source>
        <translation>Ajouter une tâche planifiée</translation>
    </message>
    <message>
        <source>Modify Schedule Task</source>
        <translation>Modifier la tâche planifiée</translation>
    </message>
    <message>
        <source>Invalid time! Hours 0~23, minutes and seconds 0~59.</source>
        <translation>Heure invalide ! Heures 0~23, minutes et secondes 0~59.</translation>
    </message>
</context>
<context>
    <name>PopupAddScheduleTaskForm.ui</name>
    <message>
        <source>Task Type:</source>
        <translation>Type de tâche :</translation>
    </message>
    <message>
        <source>Self-test for 10S</source>
        <translation>Autotest de 10 s</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>Autotest jusqu&apos;à fin de décharge</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>Mise en marche de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Shutdown system and close UPS</source>
        <translation>Arrêter le système et l&apos;onduleur</translation>
    </message>
    <message>
        <source>Execute Time:</source>
        <translation>Heure d&apos;exécution :</translation>
    </message>
    <message>
        <source>Execute Cyle:</source>
        <translation>Périodicité :</translation>
    </message>
    <message>
        <source>One Shoot</source>
        <translation>Une seule fois</translation>
    </message>
    <message>
        <source>Every day</source>
        <translation>Tous les jours</translation>
    </message>
    <message>
        <source>Every Week</source>
        <translation>Toutes les semaines</translation>
    </message>
    <message>
        <source>Every Month</source>
        <translation>Tous les mois</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Annuler</translation>
    </message>
</context>
<context>
    <name>PopupCurrentAlarm</name>
    <message>
        <source>Sure</source>
        <translation>OK</translation>
    </message>
</context>
<context>
    <name>PopupSetEMailSender</name>
    <message>
        <source>E-Mail Sender</source>
        <translation>Expéditeur</translation>
    </message>
    <message>
        <source>Account:</source>
        <translation>Compte :</translation>
    </message>
    <message>
        <source>Password:</source>
        <translation>Mot de passe :</translation>
    </message>
    <message>
        <source>Sure</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>User account is invalid!</source>
        <translation>Compte utilisateur invalide !</translation>
    </message>
</context>
<context>
    <name>ScheduleTaskListDelegate</name>
    <message>
        <source>One Shoot</source>
        <translation>Une seule fois</translation>
    </message>
    <message>
        <source>Daily</source>
        <translation>Quotidienne</translation>
    </message>
    <message>
        <source>Weekly</source>
        <translation>Hebdomadaire</translation>
    </message>
    <message>
        <source>Monthly</source>
        <translation>Mensuelle</translation>
    </message>
    <message>
        <source>Unkown code: </source>
        <translation>Code inconnu : </translation>
    </message>
    <message>
        <source>Self-test for 10 secords</source>
        <translation>Autotest de 10 secondes</translation>
    </message>
    <message>
        <source>Self-test to EOD</source>
        <translation>Autotest jusqu&apos;à fin de décharge</translation>
    </message>
    <message>
        <source>UPS Power on</source>
        <translation>Mise en marche de l&apos;onduleur</translation>
    </message>
    <message>
        <source>System shutdown and close UPS</source>
        <translation>Arrêt du système et de l&apos;onduleur</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
</context>
<context>
    <name>ServiceEMail</name>
    <message>
        <source>From Ambrel</source>
        <translation>De la part d&apos;Ambrel</translation>
    </message>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Tension d&apos;entrée (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Tension de sortie (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Charge de l&apos;ASI (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Fréquence d&apos;entrée (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Tension de batterie (V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>Température (℃)</translation>
    </message>
    <message>
        <source>Daily Report</source>
        <translation>Rapport quotidien</translation>
    </message>
    <message>
        <source>UPS daily report.</source>
        <translation>Rapport quotidien de l&apos;ASI.</translation>
    </message>
    <message>
        <source>UPS Alarm</source>
        <translation>Alarme de l&apos;ASI</translation>
    </message>
    <message>
        <source>connection failed</source>
        <translation>échec de la connexion</translation>
    </message>
    <message>
        <source>encryption failed</source>
        <translation>échec du chiffrement</translation>
    </message>
    <message>
        <source>authentication failed</source>
        <translation>échec de l&apos;authentification</translation>
    </message>
    <message>
        <source>Test E-Mail</source>
        <translation>E-mail de test</translation>
    </message>
    <message>
        <source>This is a test E-Mail!</source>
        <translation>Ceci est un e-mail de test !</translation>
    </message>
</context>
<context>
    <name>SettingsCommon</name>
    <message>
        <source>Failed to open port: </source>
        <translation>Impossible d&apos;ouvrir le port : </translation>
    </message>
    <message>
        <source>Operation finished!</source>
        <translation>Opération terminée !</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Configuration files (*.conf)</source>
        <translation>Fichiers de configuration (*.conf)</translation>
    </message>
    <message>
        <source>Are you sure to restore settings?!</source>
        <translation>Voulez-vous vraiment rétablir les paramètres par défaut ?</translation>
    </message>
    <message>
        <source>Operation failed!</source>
        <translation>Échec de l&apos;opération !</translation>
    </message>
</context>
<context>
    <name>SettingsCommonForm.ui</name>
    <message>
        <source>Base Parameter</source>
        <translation>Paramètres de base</translation>
    </message>
    <message>
        <source>UPS Communication Type:</source>
        <translation>Liaison avec l&apos;onduleur :</translation>
    </message>
    <message>
        <source>COM port:</source>
        <translation>Port série :</translation>
    </message>
    <message>
        <source>Record data interval(Sec):</source>
        <translation>Intervalle d&apos;enregistrement (s) :</translation>
    </message>
    <message>
        <source>Language:</source>
        <translation>Langue :</translation>
    </message>
    <message>
        <source>Following System Language</source>
        <translation>Suivre la langue du système</translation>
    </message>
    <message>
        <source>Settings Management</source>
        <translation>Gestion des paramètres</translation>
    </message>
    <message>
        <source>Settings Import:</source>
        <translation>Importer les paramètres :</translation>
    </message>
    <message>
        <source>Look for...</source>
        <translation>Parcourir...</translation>
    </message>
    <message>
        <source>Settings Export:</source>
        <translation>Exporter les paramètres :</translation>
    </message>
    <message>
        <source>Save as...</source>
        <translation>Enregistrer sous...</translation>
    </message>
    <message>
        <source>Restore Default Settings</source>
        <translation>Rétablir les paramètres par défaut</translation>
    </message>
    <message>
        <source>Open Path</source>
        <translation>Ouvrir le dossier</translation>
    </message>
    <message>
        <source>Version Information</source>
        <translation>Informations de version</translation>
    </message>
    <message>
        <source> version:</source>
        <translation> version :</translation>
    </message>
    <message>
        <source>USB HID version:</source>
        <translation>Version USB HID :</translation>
    </message>
</context>
<context>
    <name>SettingsEMail</name>
    <message>
        <source>Sending test E-Mail...</source>
        <translation>Envoi du courriel de test...</translation>
    </message>
    <message>
        <source>E-Mail has been sent.</source>
        <translation>Le courriel a été envoyé.</translation>
    </message>
    <message>
        <source>Failed to send test E-Mail!</source>
        <translation>Échec de l&apos;envoi du courriel de test !</translation>
    </message>
    <message>
        <source>E-Mail address is invalid!</source>
        <translation>Adresse électronique invalide !</translation>
    </message>
</context>
<context>
    <name>SettingsEMailForm.ui</name>
    <message>
        <source>E-Mail</source>
        <translation>Courriel</translation>
    </message>
    <message>
        <source>ON</source>
        <translation>OUI</translation>
    </message>
    <message>
        <source>OFF</source>
        <translation>NON</translation>
    </message>
    <message>
        <source>Sender Information</source>
        <translation>Expéditeur</translation>
    </message>
    <message>
        <source>Sender Name:</source>
        <translation>Nom de l&apos;expéditeur :</translation>
    </message>
    <message>
        <source>Sender Address:</source>
        <translation>Adresse de l&apos;expéditeur :</translation>
    </message>
    <message>
        <source>Server Address:</source>
        <translation>Adresse du serveur :</translation>
    </message>
    <message>
        <source>Server Port:</source>
        <translation>Port du serveur :</translation>
    </message>
    <message>
        <source>Encrypt:</source>
        <translation>Chiffrement :</translation>
    </message>
    <message>
        <source>None</source>
        <translation>Aucun</translation>
    </message>
    <message>
        <source>Account authentication:</source>
        <translation>Authentification du compte :</translation>
    </message>
    <message>
        <source>Settings</source>
        <translation>Paramètres</translation>
    </message>
    <message>
        <source>Send Test Mail</source>
        <translation>Envoyer un courriel de test</translation>
    </message>
    <message>
        <source>E-mail Address</source>
        <translation>Adresses électroniques</translation>
    </message>
    <message>
        <source>Add</source>
        <translation>Ajouter</translation>
    </message>
    <message>
        <source>Modify</source>
        <translation>Modifier</translation>
    </message>
    <message>
        <source>Delete</source>
        <translation>Supprimer</translation>
    </message>
    <message>
        <source>Daily Report Send Time(HH:MM:SS): </source>
        <translation>Heure d&apos;envoi du rapport quotidien (HH:MM:SS) : </translation>
    </message>
</context>
<context>
    <name>SettingsRules</name>
    <message>
        <source>Invalid value! Enter a number from %1 to %2.</source>
        <translation>Valeur invalide ! Saisissez un nombre de %1 à %2.</translation>
    </message>
</context>
<context>
    <name>SettingsShutdown</name>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
</context>
<context>
    <name>SettingsShutdownForm.ui</name>
    <message>
        <source>Ambrel power control</source>
        <translation>Gestion de l&apos;alimentation par Ambrel</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system in(0~2880)</source>
        <translation>Après une coupure secteur, arrêter le système dans (0~2880)</translation>
    </message>
    <message>
        <source>minute(s)</source>
        <translation>minute(s)</translation>
    </message>
    <message>
        <source>If low battery occurred, shutdown system in(0~600)</source>
        <translation>En cas de batterie faible, arrêter le système dans (0~600)</translation>
    </message>
    <message>
        <source>After main AC fault, shutdown system when battery capacity lower than(1~100)</source>
        <translation>Après une coupure secteur, arrêter le système quand la capacité de la batterie passe sous (1~100)</translation>
    </message>
    <message>
        <source>Shutdown OS</source>
        <translation>Arrêter le système d&apos;exploitation</translation>
    </message>
    <message>
        <source>Command file to execute:</source>
        <translation>Fichier de commandes à exécuter :</translation>
    </message>
    <message>
        <source>Command file:</source>
        <translation>Fichier de commandes :</translation>
    </message>
    <message>
        <source>Browse</source>
        <translation>Parcourir</translation>
    </message>
    <message>
        <source>Max. execution time:</source>
        <translation>Durée d&apos;exécution max. :</translation>
    </message>
    <message>
        <source>UPS Power Off</source>
        <translation>Arrêt de l&apos;onduleur</translation>
    </message>
    <message>
        <source>Times need (1~9)</source>
        <translation>Délai (1~9)</translation>
    </message>
    <message>
        <source>minute(s) before UPS turns off</source>
        <translation>minute(s) avant l&apos;arrêt de l&apos;onduleur</translation>
    </message>
</context>
<context>
    <name>TableModelAlarm</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Alarm</source>
        <translation>Alarme</translation>
    </message>
</context>
<context>
    <name>TableModelDevData</name>
    <message>
        <source>Date</source>
        <translation>Date</translation>
    </message>
    <message>
        <source>Input Voltage(V)</source>
        <translation>Tension d&apos;entrée (V)</translation>
    </message>
    <message>
        <source>Output Voltage(V)</source>
        <translation>Tension de sortie (V)</translation>
    </message>
    <message>
        <source>UPS Load(%)</source>
        <translation>Charge de l&apos;ASI (%)</translation>
    </message>
    <message>
        <source>Input Frequency(Hz)</source>
        <translation>Fréquence d&apos;entrée (Hz)</translation>
    </message>
    <message>
        <source>Battery voltage(V)</source>
        <translation>Tension de batterie (V)</translation>
    </message>
    <message>
        <source>Temperature(℃)</source>
        <translation>Température (℃)</translation>
    </message>
</context>
<context>
    <name>main</name>
    <message>
        <source>Shutdown event activated!</source>
        <translation>Événement d&apos;arrêt activé !</translation>
    </message>
    <message>
        <source>UPS Conneted</source>
        <translation>Onduleur connecté</translation>
    </message>
    <message>
        <source>UPS Disconnect</source>
        <translation>Onduleur déconnecté</translation>
    </message>
    <message>
        <source>Show</source>
        <translation>Afficher</translation>
    </message>
    <message>
        <source>Quit</source>
        <translation>Quitter</translation>
    </message>
    <message>
        <source>Readings, alarms and tasks cannot be kept: the database reports &quot;%1&quot;.</source>
        <translation>Les mesures, les alarmes et les tâches ne peuvent pas être enregistrées : la base de données signale « %1 ».</translation>
    </message>
    <message>
        <source>Rows dropped while it was locked: %1</source>
        <translation>Lignes abandonnées pendant le verrouillage : %1</translation>
    </message>
</context>
</TS>
